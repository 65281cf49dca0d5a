#pragma once

class QWidget;

namespace quill {

class ReportGrid;

// objectName of the preview dialog, for finding it while it is open.
inline constexpr const char* kReportPreviewName = "ReportPreview";

// Opens the grid's print preview modally (zoom, page navigation, page set-up, print to a
// printer or a PDF file) and returns when it closes. Margins the user changes in the page
// set-up stay in the grid.
void OpenReportPreview(ReportGrid& grid, QWidget* parent);

}  // namespace quill

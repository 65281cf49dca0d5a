#pragma once

class QPrinter;
class QWidget;

namespace quill {

class ReportGrid;
class ReportRenderer;

// objectName of the preview dialog, for finding it while it is open.
inline constexpr const char* kReportPreviewName = "ReportPreview";

// Opens the grid's print preview modally (zoom, page navigation, page set-up, print to a
// printer or a PDF file) and returns when it closes. Margins the user changes in the page
// set-up stay in the grid.
void OpenReportPreview(ReportGrid& grid, QWidget* parent);

// One paint request of the preview: the printer's margins go back into the grid, then every
// page is painted. A printer or file that cannot be painted on is told to the user in a
// message box instead of passing for a finished print. True when every page was painted.
bool PaintReportPages(const ReportRenderer& renderer, ReportGrid& grid, QPrinter& printer);

}  // namespace quill

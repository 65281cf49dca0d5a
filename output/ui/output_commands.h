#pragma once

#include "output/goods_report.h"

namespace quill {

class ListView;
class ReportGrid;

// The report grid of the process (the main window's hidden 高级表格1): one for every report of
// a run, so that margins changed in a preview stay for the next report.
ReportGrid& ProcessReportGrid();

// The titles and cell texts the list shows, as GBK bytes.
ListTable ReadListTable(const ListView& list);

}  // namespace quill

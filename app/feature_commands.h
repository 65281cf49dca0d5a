#pragma once

#include <QString>

namespace quill {

class MainWindow;

// What the main window's controls start. Each feature folder implements its own commands;
// the main window only raises them.

// app/: search row and delete button.
void SearchGoods(MainWindow& main);           // 按钮6 "搜索"
void DeleteSelectedGoods(MainWindow& main);   // 按钮3 "删除商品"

// editor/: 按钮1 opens it with "新建商品", 按钮2 with "修改商品信息"; returns when it closed.
void OpenGoodsEditor(MainWindow& main, const QString& title);

// sales/ui/: 按钮5, Enter and double click in the goods list; 按钮8.
void OpenSalesOut(MainWindow& main);
void OpenSalesRecords(MainWindow& main);

// output/ui/: 按钮4 and 按钮9.
void OpenExport(MainWindow& main);
void BuildGoodsReport(MainWindow& main);

// online/: 按钮7, the first tick of 时钟1, a click on the banner, a press on 状态条1.
void OpenAbout(MainWindow& main);
void LoadBanner(MainWindow& main);
void OpenBannerLink(MainWindow& main);
void OpenHomePageFromStatusBar(MainWindow& main);

}  // namespace quill

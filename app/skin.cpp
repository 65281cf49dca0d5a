#include "app/skin.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include "toolkit/fonts.h"

namespace quill {
namespace {

struct Skin {
  bool loaded = false;
  bool attached = false;
  QStyle* style = nullptr;
  QPalette palette;
  QString sheet;
};

Skin& TheSkin() {
  static Skin skin;
  return skin;
}

QPalette SkinPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(236, 243, 250));
  p.setColor(QPalette::WindowText, QColor(30, 40, 55));
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::AlternateBase, QColor(242, 249, 253));
  p.setColor(QPalette::Text, QColor(20, 20, 20));
  p.setColor(QPalette::Button, QColor(229, 239, 250));
  p.setColor(QPalette::ButtonText, QColor(20, 40, 70));
  p.setColor(QPalette::Highlight, QColor(51, 153, 255));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  p.setColor(QPalette::ToolTipText, Qt::black);
  p.setColor(QPalette::Light, Qt::white);
  p.setColor(QPalette::Midlight, QColor(214, 226, 240));
  p.setColor(QPalette::Mid, QColor(160, 180, 205));
  p.setColor(QPalette::Dark, QColor(120, 140, 165));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 160, 172));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 160, 172));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 160, 172));
  return p;
}

}  // namespace

void LoadSkin() {
  Skin& skin = TheSkin();
  if (skin.loaded) return;
  skin.loaded = true;
  InstallFontFallbacks();
  skin.style = QStyleFactory::create(QStringLiteral("Fusion"));
  skin.palette = SkinPalette();
  skin.sheet = QStringLiteral(
      "QPushButton { border: 1px solid #8fb0d6; border-radius: 3px; padding: 2px 6px;"
      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:1 #dbe8f7); }"
      "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
      " stop:0 #ffffff, stop:1 #c8def7); border-color: #5b8fd0; }"
      "QPushButton:pressed { background: #bcd5f2; }"
      "QPushButton:disabled { color: #98a4b3; border-color: #c3cfdd; background: #eef2f7; }"
      "QPushButton:default { border: 2px solid #3d7cc9; }"
      "QHeaderView::section { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
      " stop:0 #ffffff, stop:1 #e4edf8); border: none; border-right: 1px solid #c9d7e8;"
      " border-bottom: 1px solid #c9d7e8; padding: 2px 6px; }");
}

void AttachSkin() {
  LoadSkin();
  Skin& skin = TheSkin();
  if (skin.attached) return;
  skin.attached = true;
  if (skin.style) QApplication::setStyle(skin.style);
  QApplication::setPalette(skin.palette);
  QApplication::setFont(FormFont(QString::fromUtf16(kFormFace), 12));
  qApp->setStyleSheet(skin.sheet);
}

bool SkinAttached() { return TheSkin().attached; }

}  // namespace quill

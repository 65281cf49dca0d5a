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
}

void AttachSkin() {
  LoadSkin();
  Skin& skin = TheSkin();
  if (skin.attached) return;
  skin.attached = true;
  // No style sheet: it would slow every widget's polish, start-up included, for little gain.
  if (skin.style) QApplication::setStyle(skin.style);
  QApplication::setPalette(skin.palette);
  QApplication::setFont(FormFont(QString::fromUtf16(kFormFace), 12));
}

bool SkinAttached() { return TheSkin().attached; }

}  // namespace quill

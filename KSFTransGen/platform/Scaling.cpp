#include "Scaling.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "Utils.h"

int32_t ScaleForScreen(int32_t Design) { return ScreenDPI * Design / 96; }

int32_t MeasureScreenDPI(const QWidget* Window) {
  if (ScreenDPI != 0) return ScreenDPI;
  QScreen* Screen = Window != nullptr ? Window->screen() : QGuiApplication::primaryScreen();
  if (Screen == nullptr) Screen = QGuiApplication::primaryScreen();
  ScreenDPI = Screen != nullptr ? static_cast<int32_t>(std::lround(Screen->logicalDotsPerInchX())) : 96;
  if (ScreenDPI <= 0) ScreenDPI = 96;
  return ScreenDPI;
}

void ScaleWindow(QWidget& Window, int32_t DesignWidth, int32_t DesignHeight) {
  const int32_t Width = ScaleForScreen(DesignWidth);
  Window.resize(Width, Window.height());
  Window.resize(Width, ScaleForScreen(DesignHeight));
}

void PlaceScaled(QWidget* Control, int32_t Left, int32_t Top, int32_t Width, int32_t Height) {
  Control->setGeometry(ScaleForScreen(Left), ScaleForScreen(Top), ScaleForScreen(Width),
                       ScaleForScreen(Height));
}

void UseDesignFont(QWidget& Form) {
  // 11 pixels at 96 dots per inch, and as much larger as the window is on a
  // screen of more: the face keeps its size within the window.
  QFont Small = Form.font();
  Small.setPixelSize(ScreenDPI > 0 ? ScaleForScreen(11) : 11);
  Form.setFont(Small);
}

void SetFixedDialogFrame(QWidget& Dialog) {
  Dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  UseDesignFont(Dialog);
}

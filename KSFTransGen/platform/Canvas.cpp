#include "Canvas.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "QtText.h"

QColor ToQColor(TColor Color) {
  if (Color >= 0) return QColor((Color >> 16) & 0xFF, (Color >> 8) & 0xFF, Color & 0xFF);
  const QPalette Palette = QApplication::palette();
  switch (Color) {
    case clWindow: return Palette.color(QPalette::Base);
    case clWindowText: return Palette.color(QPalette::Text);
    case clBtnFace: return Palette.color(QPalette::Button);
    case clBtnText: return Palette.color(QPalette::ButtonText);
    case clHighlight: return Palette.color(QPalette::Highlight);
    case clHighlightText: return Palette.color(QPalette::HighlightedText);
    case clInfoBk: return Palette.color(QPalette::ToolTipBase);
    case clInfoText: return Palette.color(QPalette::ToolTipText);
    default: return Palette.color(QPalette::Base);
  }
}

namespace {

// The face Text is drawn in to be at most Room pixels wide: the largest of Font's
// family from its size down to MinTextPixels, narrowed step by step to
// extra-condensed at each size before the next smaller one (a taller narrow
// digit reads better than a smaller one). False when even the smallest and
// narrowest is too wide; Font is then that face.
bool FitFace(QFont& Font, const QString& Text, int Room) {
  const int Pixels = QFontInfo(Font).pixelSize();
  const int Stretch =
      Font.stretch() == QFont::AnyStretch ? int(QFont::Unstretched) : Font.stretch();
  for (int Size = Pixels; Size >= std::min(Pixels, int(MinTextPixels)); --Size)
    for (int Narrower :
         {Stretch, int(QFont::SemiCondensed), int(QFont::Condensed), int(QFont::ExtraCondensed)}) {
      Font.setPixelSize(Size);
      Font.setStretch(std::min(Stretch, Narrower));
      if (QFontMetrics(Font).horizontalAdvance(Text) <= Room) return true;
    }
  return false;
}

}  // namespace

TRect ToTRect(const QRect& Rect) {
  return TRect{Rect.left(), Rect.top(), Rect.left() + Rect.width(), Rect.top() + Rect.height()};
}

QRect ToQRect(const TRect& Rect) { return QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }

TCanvas::TCanvas(QPainter& Painter) : FPainter(Painter) {}

void TCanvas::ApplyFont() {
  QFont Font = FPainter.font();
  Font.setBold(FFont.Style & fsBold);
  Font.setItalic(FFont.Style & fsItalic);
  Font.setUnderline(FFont.Style & fsUnderline);
  FPainter.setFont(Font);
  FPainter.setPen(ToQColor(FFont.Color));
}

void TCanvas::FillRect(const TRect& Rect) { FPainter.fillRect(ToQRect(Rect), ToQColor(FBrush.Color)); }

void TCanvas::TextRect(const TRect& Rect, int32_t X, int32_t Y, const std::string& Text) {
  const QRect Clip = ToQRect(Rect);
  FPainter.save();
  FPainter.setClipRect(Clip, Qt::IntersectClip);
  FPainter.fillRect(Clip, ToQColor(FBrush.Color));
  ApplyFont();
  const QFontMetrics Metrics(FPainter.font());
  const QString S = ToQString(Text);
  const int Baseline = Y + Metrics.ascent();
  if (X >= Rect.Left) {
    FPainter.drawText(X, Baseline, S);
  } else {
    const int End = X + Metrics.horizontalAdvance(S);
    const int Inset = std::max(0, Rect.Right - End);
    const int Room = std::max(1, End - Rect.Left - Inset);
    QFont Face = FPainter.font();
    const bool Whole = FitFace(Face, S, Room);
    const QFontMetrics Fitted(Face);
    QString Shown = Whole ? S : Fitted.elidedText(S, Qt::ElideLeft, Room);
    if (Shown.isEmpty()) Shown = QChar(0x2026);  // too narrow for anything but the mark
    FPainter.setFont(Face);
    FPainter.drawText(End - Fitted.horizontalAdvance(Shown), Baseline, Shown);
  }
  FPainter.restore();
}

void TCanvas::TextOut(int32_t X, int32_t Y, const std::string& Text) {
  FPainter.save();
  ApplyFont();
  const QFontMetrics Metrics(FPainter.font());
  const QString S = ToQString(Text);
  FPainter.fillRect(QRect(X, Y, Metrics.horizontalAdvance(S), Metrics.height()), ToQColor(FBrush.Color));
  FPainter.drawText(X, Y + Metrics.ascent(), S);
  FPainter.restore();
}

int32_t TCanvas::TextWidth(const std::string& Text) {
  QFont Font = FPainter.font();
  Font.setBold(FFont.Style & fsBold);
  Font.setItalic(FFont.Style & fsItalic);
  return QFontMetrics(Font).horizontalAdvance(ToQString(Text));
}

int32_t TCanvas::TextHeight(const std::string& Text) {
  (void)Text;
  QFont Font = FPainter.font();
  Font.setBold(FFont.Style & fsBold);
  return QFontMetrics(Font).height();
}

#include "Canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

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
  FPainter.drawText(X, Y + Metrics.ascent(), ToQString(Text));
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

#pragma once
// Drawing surface handed to owner-drawn cells: a brush for fills and text
// backgrounds, a font, and the few operations the program draws with.

#include <cstdint>
#include <string>

class QPainter;
class QColor;
class QRect;

// A colour: 0xRRGGBB, or one of the system colours below, resolved from the
// application palette when used.
using TColor = int32_t;
enum : TColor {
  clBlack = 0x000000,
  clWhite = 0xFFFFFF,
  clRed = 0xFF0000,
  clNavy = 0x000080,
  clGray = 0x808080,
  clSilver = 0xC0C0C0,
  // System colours.
  clWindow = -1,
  clWindowText = -2,
  clBtnFace = -3,
  clBtnText = -4,
  clHighlight = -5,
  clHighlightText = -6,
  clInfoBk = -7,  // tooltip background
  clInfoText = -8,
};

// The colour as Qt paints it.
QColor ToQColor(TColor Color);

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};
TRect ToTRect(const QRect& Rect);
QRect ToQRect(const TRect& Rect);

struct TBrush {
  TColor Color = clWindow;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

struct TFont {
  TColor Color = clWindowText;
  uint8_t Style = 0;  // TFontStyle flags
};

// The smallest face, in pixels, that text is set in to be read.
constexpr int32_t MinTextPixels = 8;

// Draws on a painter it does not own; the painter must outlive it.
class TCanvas {
 public:
  explicit TCanvas(QPainter& Painter);

  TBrush* Brush = &FBrush;
  TFont* Font = &FFont;

  // Fills the rectangle with the brush colour.
  void FillRect(const TRect& Rect);
  // Fills the rectangle with the brush colour, then draws the text with its top
  // left corner at (X, Y), clipped to the rectangle. A text placed to start left
  // of the rectangle (drawn from the right and too wide for it) would lose its
  // first characters and could read as another number ("000000.00" for
  // 10000000.00): it keeps its right end and its baseline and is set in a
  // smaller face instead, the largest in which it starts as far in from the
  // left edge as it ends from the right. Never below MinTextPixels: what that
  // face cannot show whole is cut on its left behind an ellipsis.
  void TextRect(const TRect& Rect, int32_t X, int32_t Y, const std::string& Text);
  // Draws the text at (X, Y) on the brush colour, unclipped.
  void TextOut(int32_t X, int32_t Y, const std::string& Text);
  int32_t TextWidth(const std::string& Text);
  int32_t TextHeight(const std::string& Text);

  QPainter& Painter() { return FPainter; }

 private:
  void ApplyFont();
  QPainter& FPainter;
  TBrush FBrush;
  TFont FFont;
};

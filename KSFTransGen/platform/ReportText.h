#pragma once
// Text in reports: fonts, their measures and how a label's text is set in its box.
//
// Every measure is in report units (1/96 inch) and is the same on every device:
// widths are the sum of the characters' unhinted advances (no kerning), taken
// once per font from a large rendering and scaled down. The layout, the painter
// and the exports all set a text through SetReportText, in the room the layout
// gave it (SetLaidText, ReportLayout.h), so a line break or a shrunk font chosen
// for the preview is the one the printer and the files get.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Canvas.h"

class QFont;

struct TReportFont {
  // "Arial" is drawn with Arial where it exists, else with its metric twin
  // Liberation Sans, so the fixed widths of a layout made for Arial hold.
  std::string Name = "Arial";
  double Size = 10;   // points
  uint8_t Style = 0;  // TFontStyle flags
  TColor Color = clBlack;
  bool operator==(const TReportFont&) const = default;
};

// The font as Qt draws it with an em of PixelSize pixels on a device of DeviceDpi
// logical dots per inch: no hinting and no kerning, so what is drawn matches what
// was measured. Qt sets text in a whole number of pixels and rounds any other
// em, which makes a line up to several percent wider or narrower at a small
// size: a painter asks for a whole PixelSize and scales it to the size it needs.
QFont ToQFont(const TReportFont& Font, double PixelSize, int DeviceDpi);

// The measures of one font, in report units at its point size.
class TReportMetrics {
 public:
  // The measures of a font, taken at the first request and kept for the run of
  // the program (only the few fonts of the reports are ever asked for).
  static const TReportMetrics& Of(const TReportFont& Font);

  double Width(std::string_view Text) const;
  double Advance(unsigned char Ch) const { return FAdvance[Ch]; }
  double Ascent() const { return FAscent; }
  double Descent() const { return FDescent; }
  // The distance from one line's top to the next.
  double LineSpacing() const { return FLineSpacing; }

 private:
  explicit TReportMetrics(const TReportFont& Font);
  double FAdvance[256] = {};
  double FAscent = 0;
  double FDescent = 0;
  double FLineSpacing = 0;
};

// A text as its box shows it.
struct TReportTextSetting {
  // The font scale: 1, or less when the widest word would not fit the box; a
  // word (an amount, a mail address) is never broken and never cut.
  double Scale = 1;
  // The lines, views into the text given, first to last; none for an empty text.
  std::vector<std::string_view> Lines;
  // The width of every line, in units at the scaled font.
  std::vector<double> Widths;
};

// A text may pass its box by up to this many units before its font shrinks or
// a line breaks: fixed widths drawn for screen fonts, which round a little
// narrower, then hold ("100.00%" in a box of 52 units).
constexpr double ReportTextOverhang = 1.0;

// Sets Text in a box Width units wide. With WordWrap, lines break at blanks
// wherever the next word would pass the right edge; without it the text is one
// line. Either way the font shrinks until the widest word (or the one line) fits.
// A text may pass the edge by up to ReportTextOverhang before either happens.
// Width <= 0 means "as wide as the text" (a label sized to its text).
void SetReportText(const TReportFont& Font, std::string_view Text, double Width, bool WordWrap,
                   TReportTextSetting& Out);

// How many of the lines a box of Height units shows: the first always, the
// others while they fit whole.
int32_t VisibleReportLines(const TReportFont& Font, const TReportTextSetting& Setting,
                           double Height);

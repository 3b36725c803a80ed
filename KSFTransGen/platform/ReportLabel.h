#pragma once
// What a band prints: text labels, the page-number field and horizontal rules.
// Each is a named child of its band (its Qt object name is its design name) and
// is placed in units of 1/96 inch from the band's top left corner.

#include <QObject>
#include <cstdint>
#include <string>

#include "ReportText.h"

class TReportBand;

enum class TReportItemKind : uint8_t { Label, PageNumber, Rule };
enum class TReportAlignment : uint8_t { Left, Right, Center };

class TReportItem : public QObject {
  Q_OBJECT
 public:
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 17;

  TReportItemKind Kind() const { return FKind; }
  TReportBand* Band() const { return FBand; }

 protected:
  // Adds the item to the end of the band's items.
  TReportItem(TReportBand* Band, const char* Name, TReportItemKind Kind);

 private:
  TReportBand* FBand;
  TReportItemKind FKind;
};

// A text label. The program sets Caption; the band prints it as it stands when
// the band is laid out.
class TReportLabel : public TReportItem {
  Q_OBJECT
 public:
  TReportLabel(TReportBand* Band, const char* Name);

  std::string Caption;
  TReportFont Font;
  TReportAlignment Alignment = TReportAlignment::Left;
  // The width follows the text, on one line.
  bool AutoSize = false;
  // Breaks the text into lines at blanks to fit the width.
  bool WordWrap = true;
  // Grows downwards to show every line of a wrapped text; the band grows with it
  // and whatever starts below the label's first line (below the middle of its
  // box) moves down by as much. Without it the label shows the lines its height
  // holds.
  bool AutoStretch = false;
  // Centred across the band, whatever Left says.
  bool AlignToBand = false;
  // The title of the label's column when the detail band is saved as
  // comma-separated values (ReportExport.h); empty: the label's name.
  std::string ColumnTitle;

 protected:
  TReportLabel(TReportBand* Band, const char* Name, TReportItemKind Kind);
};

// The number of the page being printed, counted from 1, printed like a label.
class TReportPageNumber : public TReportLabel {
  Q_OBJECT
 public:
  TReportPageNumber(TReportBand* Band, const char* Name);
};

// A horizontal line across the item's width, through the middle of its height.
class TReportRule : public TReportItem {
  Q_OBJECT
 public:
  TReportRule(TReportBand* Band, const char* Name);
  TColor Color = clBlack;
};

// One label of a design table, for reports laid out from a table.
struct TReportLabelSpec {
  const char* Name;     // null for an unnamed label of fixed text
  const char* Caption;  // the fixed text, or null
  int32_t Left, Top, Width, Height;  // Width 0: sized to its text
  double Size;
  uint8_t Style;
  TReportAlignment Alignment;
  bool AutoStretch;
  bool AlignToBand;
};

// Adds a label to the band as the table row says (font Arial, black, word wrap on).
TReportLabel* AddReportLabel(TReportBand* Band, const TReportLabelSpec& Spec);
// Adds a rule to the band.
TReportRule* AddReportRule(TReportBand* Band, const char* Name, int32_t Left, int32_t Top,
                           int32_t Width, int32_t Height);
// Adds a page-number field to the band, sized to its text.
TReportPageNumber* AddReportPageNumber(TReportBand* Band, const char* Name, int32_t Left,
                                       int32_t Top, uint8_t Style);

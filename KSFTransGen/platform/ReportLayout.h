#pragma once
// The layout of one run of a report: where every band and every item of every
// page goes, and the text each label had when its band was laid out.
//
// A run is computed once (TReport::Prepare) and then read by everything that
// shows the report: the preview paints one page at a time from it, printing and
// the exports walk its pages. It keeps only what a run changes - band positions,
// the texts and how far a stretched label grew - and takes the rest from the
// report's design, which must not change while the layout is in use.
//
// Placement: the page header (if any) at the top margin, the column header under
// it, then the details and at the end the summary, each moved to a new page when
// it would pass the top of the page footer's room; the page footer at the bottom
// margin. A band that a label stretched grows by as much; a band taller than a
// whole page is placed at the top of a page and cut at its bottom edge.
//
// Neighbouring texts of a band keep at least a blank's width apart (the wider
// blank of their two fonts), however long their texts: a text that would come
// closer to a neighbouring text on the same line, on the side it grows towards
// (the right of a left-aligned text, the left of a right-aligned one, both of
// a centred one), is set in a room narrower than its box on that side, where
// it wraps sooner or is set smaller. Where two texts grow towards each other
// the left one gives way, so an amount keeps its size and a name beside it
// wraps. Everything that shows a label sets its text in that room
// (SetLaidText), so the preview, the printer and the files agree.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TReport;
class TReportBand;
class TReportItem;
struct TReportTextSetting;

// The paper and its margins, in units of 1/96 inch. US Letter portrait by default.
struct TReportPage {
  int32_t Width = 816;
  int32_t Height = 1056;
  int32_t LeftMargin = 96;
  int32_t TopMargin = 48;
  int32_t RightMargin = 48;
  int32_t BottomMargin = 48;
  int32_t ContentWidth() const { return Width - LeftMargin - RightMargin; }
};

// One band as laid out on a page.
struct TLaidBand {
  const TReportBand* Band = nullptr;
  int32_t Top = 0;  // from the top edge of the paper
  int32_t Height = 0;
  uint32_t FirstItem = 0;  // index of its first item's slot in the layout
};

// One item of a laid-out band: where it prints on the paper and its text.
struct TLaidItem {
  const TReportItem* Item = nullptr;
  std::string_view Text;  // empty for a rule
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  // The room the text is set in: the box, less what keeps the text a blank's
  // width from its neighbours.
  int32_t TextLeft = 0;
  int32_t TextWidth = 0;
};

// Sets a laid-out label's text (not a rule's) as its page shows it: in its
// room, with its font and word wrap.
void SetLaidText(const TLaidItem& Item, TReportTextSetting& Out);

// Told after each page of a long job: pages done, pages in all. False cancels.
using TReportProgress = std::function<bool(int32_t Done, int32_t Total)>;

class TReportLayout {
 public:
  TReportPage Page;

  int32_t PageCount() const { return static_cast<int32_t>(FPageStarts.size()); }
  // The bands of a page (0-based), top to bottom.
  std::span<const TLaidBand> Bands(int32_t PageIndex) const;
  int32_t ItemCount(const TLaidBand& Band) const;
  // The K-th item of a laid-out band, in the band's item order.
  TLaidItem Item(const TLaidBand& Band, int32_t K) const;

  // Forgets the run.
  void Clear();
  // Lays out a run of the report: asks its need-data event for detail after
  // detail until it answers false, and places every band. The caller has run
  // the before-print step.
  void Build(const TReport& Report);

  // What the layout holds in memory, in bytes.
  size_t MemoryBytes() const;

 private:
  struct TStoredItem {
    uint32_t TextStart;
    uint32_t TextLength;
    int16_t Shift;  // how far a stretched label above moved it down
    int16_t Grow;   // how much the item itself grew
    int16_t InsetLeft, InsetRight;  // its text's room, in from its box's edges
  };
  friend class TReportLayoutBuilder;

  std::vector<uint32_t> FPageStarts;  // index of each page's first band
  std::vector<TLaidBand> FBands;
  std::vector<TStoredItem> FItems;
  std::string FTexts;
};

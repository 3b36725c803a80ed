#include "ReportLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Report.h"
#include "ReportBand.h"
#include "ReportLabel.h"

namespace {

const TReportLabel* AsLabel(const TReportItem* Item) {
  return Item->Kind() == TReportItemKind::Rule ? nullptr : static_cast<const TReportLabel*>(Item);
}

// The item's left edge on the paper and its width, for the given text.
void PlaceAcross(const TReportItem& Item, std::string_view Text, const TReportPage& Page,
                 int32_t& Left, int32_t& Width) {
  Width = Item.Width;
  Left = Page.LeftMargin + Item.Left;
  const TReportLabel* Label = AsLabel(&Item);
  if (Label == nullptr) return;
  if (Label->AutoSize)
    Width = static_cast<int32_t>(std::ceil(TReportMetrics::Of(Label->Font).Width(Text) - 1e-9));
  if (Label->AlignToBand) Left = Page.LeftMargin + (Page.ContentWidth() - Width) / 2;
}

// Sets a label's text in a room Width units wide: a label sized to its text is
// one line as wide as the text unless its room was narrowed.
void SetTextInRoom(const TReportLabel& Label, std::string_view Text, int32_t Width, bool Narrowed,
                   TReportTextSetting& Out) {
  SetReportText(Label.Font, Text, Label.AutoSize && !Narrowed ? 0 : Width,
                Label.WordWrap && !Label.AutoSize, Out);
}

int16_t Clamp16(int32_t Value) {
  return static_cast<int16_t>(std::clamp<int32_t>(Value, 0, std::numeric_limits<int16_t>::max()));
}

}  // namespace

std::span<const TLaidBand> TReportLayout::Bands(int32_t PageIndex) const {
  if (PageIndex < 0 || PageIndex >= PageCount()) return {};
  const size_t First = FPageStarts[static_cast<size_t>(PageIndex)];
  const size_t End = static_cast<size_t>(PageIndex) + 1 < FPageStarts.size()
                         ? FPageStarts[static_cast<size_t>(PageIndex) + 1]
                         : FBands.size();
  return std::span<const TLaidBand>(FBands.data() + First, End - First);
}

int32_t TReportLayout::ItemCount(const TLaidBand& Band) const {
  return static_cast<int32_t>(Band.Band->Items().size());
}

TLaidItem TReportLayout::Item(const TLaidBand& Band, int32_t K) const {
  const TReportItem* Design = Band.Band->Items()[static_cast<size_t>(K)];
  const TStoredItem& Stored = FItems[Band.FirstItem + static_cast<uint32_t>(K)];
  TLaidItem Result;
  Result.Item = Design;
  Result.Text = std::string_view(FTexts).substr(Stored.TextStart, Stored.TextLength);
  PlaceAcross(*Design, Result.Text, Page, Result.Left, Result.Width);
  Result.Top = Band.Top + Design->Top + Stored.Shift;
  Result.Height = Design->Height + Stored.Grow;
  Result.TextLeft = Result.Left + Stored.InsetLeft;
  const int32_t Insets = Stored.InsetLeft + Stored.InsetRight;
  Result.TextWidth = Insets == 0 ? Result.Width : std::max(1, Result.Width - Insets);
  return Result;
}

void SetLaidText(const TLaidItem& Item, TReportTextSetting& Out) {
  SetTextInRoom(static_cast<const TReportLabel&>(*Item.Item), Item.Text, Item.TextWidth,
                Item.TextWidth != Item.Width, Out);
}

void TReportLayout::Clear() {
  FPageStarts.clear();
  FBands.clear();
  FItems.clear();
  FTexts.clear();
}

size_t TReportLayout::MemoryBytes() const {
  return FPageStarts.capacity() * sizeof(uint32_t) + FBands.capacity() * sizeof(TLaidBand) +
         FItems.capacity() * sizeof(TStoredItem) + FTexts.capacity();
}

// One run's placement of bands on pages.
class TReportLayoutBuilder {
 public:
  TReportLayoutBuilder(TReportLayout& Layout, const TReport& Report)
      : L(Layout), R(Report), FHeader(Report.BandOf(TReportBandType::PageHeader)),
        FColumnHeader(Report.BandOf(TReportBandType::ColumnHeader)),
        FDetail(Report.BandOf(TReportBandType::Detail)),
        FSummary(Report.BandOf(TReportBandType::Summary)),
        FFooter(Report.BandOf(TReportBandType::PageFooter)) {}

  void Run() {
    L.Clear();
    L.Page = R.Page;
    FLimit = L.Page.Height - L.Page.BottomMargin - (FFooter != nullptr ? FFooter->Height : 0);
    StartPage();
    if (R.OnNeedData) {
      for (;;) {
        bool MoreData = false;
        R.OnNeedData(const_cast<TReport*>(&R), MoreData);
        if (!MoreData) break;
        if (FDetail != nullptr) PlaceFlowing(FDetail);
      }
    }
    if (FSummary != nullptr) PlaceFlowing(FSummary);
    EndPage(true);
  }

 private:
  struct TScratch {
    std::string_view Text;
    int32_t Top, Bottom;  // in the band, before any move
    int32_t Shift, Grow;
    int32_t Left, Right;          // the box across the paper
    int32_t RoomLeft, RoomRight;  // the room its text is set in
    double TextLeft, TextRight;   // where the text's widest shown line reaches
    double Blank;                 // a blank's width in its font
    size_t Lines;                 // how many lines its text takes in its room
    double Scale;                 // and the font scale it is set at
  };

  int32_t PageNumber() const { return L.PageCount(); }

  void StartPage() {
    L.FPageStarts.push_back(static_cast<uint32_t>(L.FBands.size()));
    FY = L.Page.TopMargin;
    if (FHeader != nullptr && (L.PageCount() > 1 || R.PageHeaderOnFirstPage)) Place(FHeader);
    if (FColumnHeader != nullptr) Place(FColumnHeader);
    FBodyTop = FY;
  }

  void EndPage(bool Last) {
    if (FFooter == nullptr || (Last && !R.PageFooterOnLastPage)) return;
    const int32_t Height = Measure(FFooter);
    Commit(FFooter, L.Page.Height - L.Page.BottomMargin - Height, Height);
  }

  void Place(const TReportBand* Band) {
    const int32_t Height = Measure(Band);
    Commit(Band, FY, Height);
    FY += Height;
  }

  // A detail or the summary: on a new page when it would pass the footer's room,
  // unless it is the first band of the page's body (it could not fit anywhere).
  void PlaceFlowing(const TReportBand* Band) {
    int32_t Height = Measure(Band);
    if (FY + Height > FLimit && FY > FBodyTop) {
      EndPage(false);
      StartPage();
      Height = Measure(Band);
    }
    Commit(Band, FY, Height);
    FY += Height;
  }

  // Takes the band's texts as they stand, gives each the room that keeps it
  // apart from its neighbours, and works out how far stretched labels grow in
  // their rooms and what they push down. Returns the band's height.
  int32_t Measure(const TReportBand* Band) {
    const auto& Items = Band->Items();
    FScratch.resize(Items.size());
    bool AnyGrowth = false;
    for (size_t I = 0; I < Items.size(); ++I) {
      const TReportItem* Item = Items[I];
      TScratch& S = FScratch[I];
      S.Top = Item->Top;
      S.Bottom = Item->Top + Item->Height;
      S.Shift = 0;
      S.Grow = 0;
      S.Lines = 0;
      const TReportLabel* Label = AsLabel(Item);
      if (Label == nullptr) {
        S.Text = {};
        continue;
      }
      if (Item->Kind() == TReportItemKind::PageNumber) {
        FPageText = std::to_string(PageNumber());
        S.Text = FPageText;
      } else {
        S.Text = Label->Caption;
      }
    }
    KeepNeighboursApart(Items);
    for (size_t I = 0; I < Items.size(); ++I) {
      const TReportLabel* Label = AsLabel(Items[I]);
      TScratch& S = FScratch[I];
      if (Label != nullptr && Label->AutoStretch && Label->WordWrap && !Label->AutoSize) {
        const TReportItem* Item = Items[I];
        if (S.Lines > 1) {
          const double Spacing = TReportMetrics::Of(Label->Font).LineSpacing() * S.Scale;
          const double Needed = static_cast<double>(S.Lines) * Spacing +
                                std::max(0.0, Item->Height - Spacing);
          S.Grow = std::max(0, static_cast<int32_t>(std::ceil(Needed - 1e-9)) - Item->Height);
          AnyGrowth = AnyGrowth || S.Grow > 0;
        }
      }
    }
    if (!AnyGrowth) return Band->Height;

    // Whatever starts below the middle of a grown label's box (below its first
    // line) moves down with it; in top order, so an item moved by one above
    // passes the move on to what lies below it in turn.
    FOrder.resize(Items.size());
    for (size_t I = 0; I < Items.size(); ++I) FOrder[I] = I;
    std::stable_sort(FOrder.begin(), FOrder.end(),
                     [this](size_t A, size_t B) { return FScratch[A].Top < FScratch[B].Top; });
    int32_t Extra = 0;
    for (size_t Pos = 0; Pos < FOrder.size(); ++Pos) {
      TScratch& S = FScratch[FOrder[Pos]];
      for (size_t Before = 0; Before < Pos; ++Before) {
        const TScratch& Above = FScratch[FOrder[Before]];
        if (2 * S.Top >= Above.Top + Above.Bottom)
          S.Shift = std::max(S.Shift, Above.Shift + Above.Grow);
      }
      Extra = std::max(Extra, S.Shift + S.Grow);
    }
    return Band->Height + Extra;
  }

  // Where a label's text reaches across the paper when set in its room.
  void Reach(const TReportLabel& Label, TScratch& S) {
    SetTextInRoom(Label, S.Text, S.RoomRight - S.RoomLeft,
                  S.RoomLeft != S.Left || S.RoomRight != S.Right, FSetting);
    const bool All = Label.AutoStretch && Label.WordWrap && !Label.AutoSize;
    const auto Shown = static_cast<size_t>(
        All ? static_cast<int32_t>(FSetting.Lines.size())
            : VisibleReportLines(Label.Font, FSetting, Label.Height));
    double Widest = 0;
    for (size_t L = 0; L < Shown; ++L) Widest = std::max(Widest, FSetting.Widths[L]);
    switch (Label.Alignment) {
      case TReportAlignment::Left: S.TextLeft = S.RoomLeft; break;
      case TReportAlignment::Right: S.TextLeft = S.RoomRight - Widest; break;
      case TReportAlignment::Center: S.TextLeft = (S.RoomLeft + S.RoomRight - Widest) / 2; break;
    }
    S.TextRight = S.TextLeft + Widest;
    S.Lines = FSetting.Lines.size();
    S.Scale = FSetting.Scale;
  }

  // Narrows the rooms of texts that would come closer than a blank's width to
  // a neighbouring text on the same line (the band's design boxes overlap in
  // height: growth moves both or neither), until none does. Rooms only ever
  // narrow, and a text set in a room passes it by at most the overhang, so
  // once apart two texts stay apart.
  void KeepNeighboursApart(const std::vector<TReportItem*>& Items) {
    FOrder.clear();
    for (size_t I = 0; I < Items.size(); ++I) {
      const TReportLabel* Label = AsLabel(Items[I]);
      TScratch& S = FScratch[I];
      S.Left = S.Right = S.RoomLeft = S.RoomRight = 0;
      if (Label == nullptr || S.Text.empty()) continue;
      int32_t Width = 0;
      PlaceAcross(*Label, S.Text, L.Page, S.Left, Width);
      S.Right = S.Left + Width;
      S.RoomLeft = S.Left;
      S.RoomRight = S.Right;
      S.Blank = TReportMetrics::Of(Label->Font).Advance(' ');
      Reach(*Label, S);
      FOrder.push_back(I);
    }
    if (FOrder.size() < 2) return;
    std::stable_sort(FOrder.begin(), FOrder.end(), [this](size_t A, size_t B) {
      return FScratch[A].Left != FScratch[B].Left ? FScratch[A].Left < FScratch[B].Left
                                                  : FScratch[A].Right < FScratch[B].Right;
    });
    for (bool Changed = true; Changed;) {
      Changed = false;
      for (size_t P = 0; P < FOrder.size(); ++P) {
        for (size_t Q = P + 1; Q < FOrder.size(); ++Q) {
          TScratch& SA = FScratch[FOrder[P]];
          TScratch& SB = FScratch[FOrder[Q]];
          if (SA.Top >= SB.Bottom || SB.Top >= SA.Bottom) continue;
          const double Gap = std::max(SA.Blank, SB.Blank);
          if (SB.TextLeft >= SA.TextRight + Gap || SA.TextLeft >= SB.TextRight + Gap) continue;
          const auto& A = static_cast<const TReportLabel&>(*Items[FOrder[P]]);
          const auto& B = static_cast<const TReportLabel&>(*Items[FOrder[Q]]);
          if (A.Alignment != TReportAlignment::Right) {
            // The left text gives way on its right (a centred one on both sides).
            const auto Limit = static_cast<int32_t>(
                std::floor(SB.TextLeft - Gap - ReportTextOverhang + 1e-9));
            const int32_t Cut = std::min(SA.RoomRight - Limit,
                                         (SA.RoomRight - SA.RoomLeft - 1) /
                                             (A.Alignment == TReportAlignment::Center ? 2 : 1));
            if (Cut <= 0) continue;
            SA.RoomRight -= Cut;
            if (A.Alignment == TReportAlignment::Center) SA.RoomLeft += Cut;
            Reach(A, SA);
          } else if (B.Alignment != TReportAlignment::Left) {
            // A right-aligned text on the left: the right text gives way on its left.
            const auto Limit = static_cast<int32_t>(
                std::ceil(SA.TextRight + Gap + ReportTextOverhang - 1e-9));
            const int32_t Cut = std::min(Limit - SB.RoomLeft,
                                         (SB.RoomRight - SB.RoomLeft - 1) /
                                             (B.Alignment == TReportAlignment::Center ? 2 : 1));
            if (Cut <= 0) continue;
            SB.RoomLeft += Cut;
            if (B.Alignment == TReportAlignment::Center) SB.RoomRight -= Cut;
            Reach(B, SB);
          } else {
            continue;  // they grow apart: only the design can part them
          }
          Changed = true;
        }
      }
    }
  }

  void Commit(const TReportBand* Band, int32_t Top, int32_t Height) {
    TLaidBand Laid;
    Laid.Band = Band;
    Laid.Top = Top;
    Laid.Height = Height;
    Laid.FirstItem = static_cast<uint32_t>(L.FItems.size());
    L.FBands.push_back(Laid);
    for (const TScratch& S : FScratch) {
      TReportLayout::TStoredItem Stored;
      Stored.TextStart = static_cast<uint32_t>(L.FTexts.size());
      Stored.TextLength = static_cast<uint32_t>(S.Text.size());
      Stored.Shift = Clamp16(S.Shift);
      Stored.Grow = Clamp16(S.Grow);
      Stored.InsetLeft = Clamp16(S.RoomLeft - S.Left);
      Stored.InsetRight = Clamp16(S.Right - S.RoomRight);
      L.FTexts.append(S.Text);
      L.FItems.push_back(Stored);
    }
  }

  TReportLayout& L;
  const TReport& R;
  const TReportBand* FHeader;
  const TReportBand* FColumnHeader;
  const TReportBand* FDetail;
  const TReportBand* FSummary;
  const TReportBand* FFooter;
  int32_t FLimit = 0;
  int32_t FY = 0;
  int32_t FBodyTop = 0;
  std::vector<TScratch> FScratch;
  std::vector<size_t> FOrder;
  TReportTextSetting FSetting;
  std::string FPageText;
};

void TReportLayout::Build(const TReport& Report) { TReportLayoutBuilder(*this, Report).Run(); }

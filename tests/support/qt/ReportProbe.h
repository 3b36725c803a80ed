#pragma once
// Reading a report run's layout in tests: the laid-out bands of a kind and the
// texts and places of their items, found by the items' names, and where their
// texts are painted.

#include <QFontMetricsF>
#include <QImage>
#include <QString>
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Report.h"
#include "ReportBand.h"
#include "ReportLabel.h"

// The laid-out bands of one kind, on one page (0-based) or on every page.
inline std::vector<TLaidBand> BandsOf(const TReportLayout& Layout, TReportBandType Type,
                                      int32_t PageIndex = -1) {
  std::vector<TLaidBand> Result;
  for (int32_t Page = 0; Page < Layout.PageCount(); ++Page) {
    if (PageIndex >= 0 && Page != PageIndex) continue;
    for (const TLaidBand& Band : Layout.Bands(Page))
      if (Band.Band->BandType() == Type) Result.push_back(Band);
  }
  return Result;
}

// The item named Name of a laid-out band; an item without a design when there is none.
inline TLaidItem ItemNamed(const TReportLayout& Layout, const TLaidBand& Band, const char* Name) {
  for (int32_t K = 0; K < Layout.ItemCount(Band); ++K) {
    TLaidItem Item = Layout.Item(Band, K);
    if (Item.Item->objectName() == QLatin1String(Name)) return Item;
  }
  return {};
}

inline std::string TextOf(const TReportLayout& Layout, const TLaidBand& Band, const char* Name) {
  return std::string(ItemNamed(Layout, Band, Name).Text);
}

// The texts of one label over the bands of a kind on every page, in order.
inline std::vector<std::string> TextsOf(const TReportLayout& Layout, TReportBandType Type,
                                        const char* Name) {
  std::vector<std::string> Result;
  for (const TLaidBand& Band : BandsOf(Layout, Type)) Result.push_back(TextOf(Layout, Band, Name));
  return Result;
}

// Where a laid-out label's shown lines are painted across the paper, in units,
// measured with the font they are painted in (its scale included), and that
// font's blank.
struct TPaintedText {
  double Left = 0, Right = 0;  // the widest reach of its shown lines
  double Blank = 0;
  double Scale = 1;
  int32_t Lines = 0;
};

inline TPaintedText PaintedText(const TLaidItem& Item) {
  const auto& Label = static_cast<const TReportLabel&>(*Item.Item);
  TReportTextSetting Setting;
  SetLaidText(Item, Setting);
  TPaintedText Result;
  Result.Scale = Setting.Scale;
  Result.Lines = VisibleReportLines(Label.Font, Setting, Item.Height);
  // Measured as a printer draws them, at 1200 dots per inch.
  constexpr double Fine = 12.5;
  QImage Device(1, 1, QImage::Format_RGB32);
  Device.setDotsPerMeterX(3780);
  Device.setDotsPerMeterY(3780);
  const QFontMetricsF Metrics(
      ToQFont(Label.Font, Label.Font.Size * 96.0 / 72.0 * Setting.Scale * Fine, 96), &Device);
  Result.Blank = Metrics.horizontalAdvance(QLatin1Char(' ')) / Fine;
  Result.Left = 1e9;
  Result.Right = -1e9;
  for (int32_t I = 0; I < Result.Lines; ++I) {
    const std::string_view Line = Setting.Lines[static_cast<size_t>(I)];
    const double Width =
        Metrics.horizontalAdvance(QString::fromLatin1(Line.data(), qsizetype(Line.size()))) / Fine;
    double Left = Item.TextLeft;
    if (Label.Alignment == TReportAlignment::Right)
      Left = Item.TextLeft + Item.TextWidth - Width;
    else if (Label.Alignment == TReportAlignment::Center)
      Left = Item.TextLeft + Item.TextWidth / 2.0 - Width / 2;
    Result.Left = std::min(Result.Left, Left);
    Result.Right = std::max(Result.Right, Left + Width);
  }
  return Result;
}

// Every place on the layout where a label's painted text passes its box by
// more than the overhang a text is allowed, or comes closer than a blank's
// width (the wider blank of the two painted fonts) to another text of its band
// on the same line, or overlaps it, one a line; empty when there is none.
inline std::string CrowdedTexts(const TReportLayout& Layout) {
  std::string Faults;
  const auto Name = [](const TLaidItem& Item) {
    return Item.Item->objectName().toStdString() + " \"" + std::string(Item.Text) + "\"";
  };
  for (int32_t Page = 0; Page < Layout.PageCount(); ++Page) {
    for (const TLaidBand& Band : Layout.Bands(Page)) {
      std::vector<std::pair<TLaidItem, TPaintedText>> Texts;
      for (int32_t K = 0; K < Layout.ItemCount(Band); ++K) {
        const TLaidItem Item = Layout.Item(Band, K);
        if (Item.Item->Kind() == TReportItemKind::Rule || Item.Text.empty()) continue;
        const TPaintedText Painted = PaintedText(Item);
        if (Painted.Left < Item.Left - ReportTextOverhang - 1e-6 ||
            Painted.Right > Item.Left + Item.Width + ReportTextOverhang + 1e-6)
          Faults += "page " + std::to_string(Page + 1) + ": " + Name(Item) + " passes its box\n";
        Texts.emplace_back(Item, Painted);
      }
      for (size_t A = 0; A < Texts.size(); ++A) {
        for (size_t B = A + 1; B < Texts.size(); ++B) {
          const TLaidItem& IA = Texts[A].first;
          const TLaidItem& IB = Texts[B].first;
          if (IA.Top >= IB.Top + IB.Height || IB.Top >= IA.Top + IA.Height) continue;
          const TPaintedText& PA = Texts[A].second;
          const TPaintedText& PB = Texts[B].second;
          const double Gap = std::max(PA.Left, PB.Left) - std::min(PA.Right, PB.Right);
          if (Gap < std::max(PA.Blank, PB.Blank) - 1e-6)
            Faults += "page " + std::to_string(Page + 1) + ": " + Name(IA) + " and " + Name(IB) +
                      " " + std::to_string(Gap) + " units apart\n";
        }
      }
    }
  }
  return Faults;
}

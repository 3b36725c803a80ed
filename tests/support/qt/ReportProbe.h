#pragma once
// Reading a report run's layout in tests: the laid-out bands of a kind and the
// texts and places of their items, found by the items' names.

#include <QString>
#include <string>
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

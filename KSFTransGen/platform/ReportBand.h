#pragma once
// A band of a report: a strip across the page, as wide as the page between its
// margins, that prints its items together. Its kind says when it prints:
// - PageHeader at the top of every page (of the first too when the report says);
// - ColumnHeader under the page header on every page;
// - Detail once for every record the report's need-data event announces;
// - Summary once after the last detail;
// - PageFooter at the bottom of every page (of the last too when the report says).

#include <QObject>
#include <cstdint>
#include <vector>

#include "Canvas.h"

class TReport;
class TReportItem;

enum class TReportBandType : uint8_t { PageHeader, ColumnHeader, Detail, Summary, PageFooter };

class TReportBand : public QObject {
  Q_OBJECT
 public:
  // Adds the band to the report. A report has at most one band of each kind.
  TReportBand(TReport* Report, TReportBandType BandType, const char* Name);

  TReportBandType BandType() const { return FBandType; }
  TReport* Report() const { return FReport; }

  int32_t Height = 0;
  // The band's background; white leaves the paper as it is.
  TColor Color = clWhite;
  // A line along the band's top edge.
  bool FrameTop = false;

  // In the order they were added, which is the order they print in.
  const std::vector<TReportItem*>& Items() const { return FItems; }

 private:
  friend class TReportItem;
  TReport* FReport;
  TReportBandType FBandType;
  std::vector<TReportItem*> FItems;
};

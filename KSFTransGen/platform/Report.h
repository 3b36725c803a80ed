#pragma once
// A banded report without a dataset: the program feeds it through two events.
//
// A run of the report (Prepare) first raises OnBeforePrint, whose handler sets
// the labels that stay the same for the run and may clear PrintReport to cancel
// it: then no page is produced. Otherwise the run raises OnNeedData before each
// detail band; while the handler answers MoreData = true the detail band is laid
// out with the labels as the handler left them, and the first false answer ends
// the details, after which the summary follows. The run's pages are kept as a
// layout (ReportLayout.h) that the preview, printing and the exports share, so
// they all show the same pages with the same numbering.
//
// The report owns its bands (ReportBand.h), they own their items
// (ReportLabel.h), and export filters (ReportExport.h) made with the report as
// their owner add their formats to the preview's save dialog.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "ReportBand.h"
#include "ReportLabel.h"
#include "ReportLayout.h"

class QWidget;
class TReportExportFilter;

class TReport : public QObject {
  Q_OBJECT
 public:
  TReport(QObject* Owner, const char* Name);
  ~TReport() override;

  TReportPage Page;
  bool PageHeaderOnFirstPage = true;
  bool PageFooterOnLastPage = true;
  // The preview's caption and the print job's name.
  std::string Title;

  std::function<void(TReport* Sender, bool& PrintReport)> OnBeforePrint;
  std::function<void(TReport* Sender, bool& MoreData)> OnNeedData;

  const std::vector<TReportBand*>& Bands() const { return FBands; }
  // The band of a kind, or null.
  TReportBand* BandOf(TReportBandType BandType) const;
  // The report's export filters, in the order they were made.
  std::vector<TReportExportFilter*> Filters() const;

  // One run: the before-print step, then the layout of every page. False when
  // the before-print step cancelled the run; the layout is then empty.
  bool Prepare();
  // The pages of the last run.
  const TReportLayout& Layout() const { return FLayout; }

  // Runs the report and shows its preview modally over Parent; returns when the
  // preview is closed. Returns at once, showing nothing, when the run is cancelled.
  void Preview(QWidget* Parent = nullptr);

 private:
  friend class TReportBand;
  std::vector<TReportBand*> FBands;
  TReportLayout FLayout;
};

// Reports laid out from design tables: a row per band and per label, each
// naming the member of the form that is to refer to it (null for a label of
// fixed text that nothing refers to).
template <class TForm>
struct TReportBandRow {
  TReportBand* TForm::*Field;
  TReportBandType BandType;
  const char* Name;
  int32_t Height;
  TColor Color;
  bool FrameTop;
};

template <class TForm>
struct TReportLabelRow {
  TReportBandType Band;
  TReportLabel* TForm::*Field;
  TReportLabelSpec Spec;
};

// Adds the bands, top to bottom, then the labels to the report, and points the
// form's members at them.
template <class TForm, size_t BandCount, size_t LabelCount>
void DesignReport(TReport& Report, TForm& Form, const TReportBandRow<TForm> (&Bands)[BandCount],
                  const TReportLabelRow<TForm> (&Labels)[LabelCount]) {
  for (const TReportBandRow<TForm>& Row : Bands) {
    auto* Band = new TReportBand(&Report, Row.BandType, Row.Name);
    Band->Height = Row.Height;
    Band->Color = Row.Color;
    Band->FrameTop = Row.FrameTop;
    Form.*Row.Field = Band;
  }
  for (const TReportLabelRow<TForm>& Row : Labels) {
    TReportLabel* Label = AddReportLabel(Report.BandOf(Row.Band), Row.Spec);
    if (Row.Field != nullptr) Form.*Row.Field = Label;
  }
}

#pragma once
// The transaction report: the month's amounts of the visible members of the
// open transmittal, one line per member in the member list's order, numbered
// from 1, with the transmittal's contribution totals and grand total (read from
// its trailer, so they cover every member even when the list is filtered) and
// the number of members listed in the summary. Previewed, printed and saved
// from its preview window.

#include <QObject>
#include <cstdint>

#include "RVisibleMembers.h"

class QWidget;
class TReport;
class TReportBand;
class TReportCSVFilter;
class TReportLabel;
class TReportPageNumber;
class TReportRule;
class TReportTextFilter;

class TfrmReportTrans : public QObject {
  Q_OBJECT
 public:
  explicit TfrmReportTrans(QWidget* Owner);
  ~TfrmReportTrans() override;

  // Runs the report over Trans and shows its preview; returns when the preview
  // closes, or at once when no member is visible.
  void Preview();

  // The report's before-print and need-data events.
  void qrTransBeforePrint(QObject* Sender, bool& PrintReport);
  void qrTransNeedData(QObject* Sender, bool& MoreData);

  TReport* qrTrans = nullptr;
  TReportBand* PageHeaderBand1 = nullptr;
  TReportBand* ColumnHeaderBand1 = nullptr;
  TReportBand* DetailBand1 = nullptr;
  TReportBand* SummaryBand1 = nullptr;
  TReportBand* PageFooterBand1 = nullptr;
  TReportLabel* qrlEmployer = nullptr;
  TReportLabel* qrlTitle = nullptr;
  TReportLabel* qrlNTitle = nullptr;
  TReportLabel* qrlSSNTitle = nullptr;
  TReportLabel* qrlNameTitle = nullptr;
  TReportLabel* qrlPensTitle = nullptr;
  TReportLabel* qrlFTETitle = nullptr;
  TReportLabel* qrlRegularTitle = nullptr;
  TReportLabel* qrlHealthTitle = nullptr;
  TReportLabel* qrlVolTitle = nullptr;
  TReportLabel* qrlContractTitle = nullptr;
  TReportLabel* qrlN = nullptr;
  TReportLabel* qrlSSN = nullptr;
  TReportLabel* qrlName = nullptr;
  TReportLabel* qrlPensionable = nullptr;
  TReportLabel* qrlFTE = nullptr;
  TReportLabel* qrlRegular = nullptr;
  TReportLabel* qrlHealth = nullptr;
  TReportLabel* qrlVoluntary = nullptr;
  TReportLabel* qrlContract = nullptr;
  TReportLabel* qrlRegTotal = nullptr;
  TReportLabel* qrlHeTotal = nullptr;
  TReportLabel* qrlVolTotal = nullptr;
  TReportLabel* qrlContrTotal = nullptr;
  TReportLabel* qrlGrandTotal = nullptr;
  TReportLabel* qrlRecords = nullptr;
  TReportLabel* qrlDate = nullptr;
  TReportRule* QRShape1 = nullptr;
  TReportPageNumber* QRSysData1 = nullptr;
  TReportTextFilter* QRTextFilter1 = nullptr;
  TReportCSVFilter* QRCSVFilter1 = nullptr;

  // The run's counters, reset by every before-print step.
  TVisibleMembersRun Run;

 private:
  QWidget* FOwner;
};

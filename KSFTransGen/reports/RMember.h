#pragma once
// The member report: the demographic data of the visible members of the open
// transmittal, one entry per member in the member list's order, numbered from 1,
// under a page header naming the employer and the reporting month, with the
// number of members listed in the summary and the report date and page number
// in the page footer. Previewed, printed and saved from its preview window.

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

class TfrmReportMember : public QObject {
  Q_OBJECT
 public:
  explicit TfrmReportMember(QWidget* Owner);
  ~TfrmReportMember() override;

  // Runs the report over Trans and shows its preview; returns when the preview
  // closes, or at once when no member is visible.
  void Preview();

  // The report's before-print and need-data events.
  void qrMembersBeforePrint(QObject* Sender, bool& PrintReport);
  void qrMembersNeedData(QObject* Sender, bool& MoreData);

  TReport* qrMembers = nullptr;
  TReportBand* PageHeaderBand1 = nullptr;
  TReportBand* ColumnHeaderBand1 = nullptr;
  TReportBand* DetailBand1 = nullptr;
  TReportBand* SummaryBand1 = nullptr;
  TReportBand* PageFooterBand1 = nullptr;
  TReportLabel* qrlEmployer = nullptr;
  TReportLabel* qrlTitle = nullptr;
  TReportLabel* qrlN = nullptr;
  TReportLabel* qrlSSN = nullptr;
  TReportLabel* qrlName = nullptr;
  TReportLabel* qrlPhone = nullptr;
  TReportLabel* qrlBirthDay = nullptr;
  TReportLabel* qrlGender = nullptr;
  TReportLabel* qrlAddress = nullptr;
  TReportLabel* qrlMari = nullptr;
  TReportLabel* qrlCity = nullptr;
  TReportLabel* qrlEmailAddr = nullptr;
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

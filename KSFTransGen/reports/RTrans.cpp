#include "RTrans.h"

#include <QWidget>
#include <algorithm>
#include <string>

#include "Calendar.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "Report.h"
#include "ReportExport.h"
#include "ReportLabel.h"
#include "Utils.h"

namespace {

using T = TfrmReportTrans;
using TBand = TReportBandType;
constexpr uint8_t BoldItalic = fsBold | fsItalic;
constexpr auto Left = TReportAlignment::Left;
constexpr auto Right = TReportAlignment::Right;

// The bands, top to bottom, in units of 1/96 inch.
const TReportBandRow<T> Bands[] = {
    {&T::PageHeaderBand1, TBand::PageHeader, "PageHeaderBand1", 53, clWhite, false},
    {&T::ColumnHeaderBand1, TBand::ColumnHeader, "ColumnHeaderBand1", 24, clSilver, false},
    {&T::DetailBand1, TBand::Detail, "DetailBand1", 24, clWhite, false},
    {&T::SummaryBand1, TBand::Summary, "SummaryBand1", 48, clWhite, true},
    {&T::PageFooterBand1, TBand::PageFooter, "PageFooterBand1", 25, clWhite, false},
};

// The labels: band, the member that names it (null for an unnamed fixed text),
// and its design (name, fixed text, left, top, width - 0 sized to its text -
// height, size, style, alignment, grows downwards, centred across the band).
// A long name wraps onto a second line rather than losing its first name, and
// the contract total ends on its column's right edge like the other totals.
// The line number's box ends before the SSN, so a number of four or more
// digits is set smaller instead of running into it.
const TReportLabelRow<T> Labels[] = {
    {TBand::PageHeader, &T::qrlEmployer, {"qrlEmployer", nullptr, 8, 8, 0, 17, 12, BoldItalic, Left, false, false}},
    {TBand::PageHeader, &T::qrlTitle, {"qrlTitle", nullptr, 0, 26, 0, 25, 16, fsBold, Left, false, true}},
    {TBand::ColumnHeader, &T::qrlNTitle, {"qrlNTitle", "N", 4, 4, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, &T::qrlSSNTitle, {"qrlSSNTitle", "SSN #", 36, 4, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, &T::qrlNameTitle, {"qrlNameTitle", "Name", 120, 4, 137, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, &T::qrlPensTitle, {"qrlPensTitle", "Pensionable", 268, 4, 80, 17, 10, BoldItalic, Right, false, false}},
    {TBand::ColumnHeader, &T::qrlFTETitle, {"qrlFTETitle", "FTE%", 351, 4, 48, 17, 10, BoldItalic, Right, false, false}},
    {TBand::ColumnHeader, &T::qrlRegularTitle, {"qrlRegularTitle", "Regular", 400, 4, 64, 17, 10, BoldItalic, Right, false, false}},
    {TBand::ColumnHeader, &T::qrlHealthTitle, {"qrlHealthTitle", "Health", 464, 4, 68, 17, 10, BoldItalic, Right, false, false}},
    {TBand::ColumnHeader, &T::qrlVolTitle, {"qrlVolTitle", "Voluntary", 532, 4, 68, 17, 10, BoldItalic, Right, false, false}},
    {TBand::ColumnHeader, &T::qrlContractTitle, {"qrlContractTitle", "Contract", 600, 4, 68, 17, 10, BoldItalic, Right, false, false}},
    {TBand::Detail, &T::qrlN, {"qrlN", nullptr, 2, 4, 30, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlSSN, {"qrlSSN", nullptr, 34, 4, 0, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlName, {"qrlName", nullptr, 120, 4, 148, 17, 10, 0, Left, true, false}},
    {TBand::Detail, &T::qrlPensionable, {"qrlPensionable", nullptr, 268, 4, 71, 17, 10, 0, Right, false, false}},
    {TBand::Detail, &T::qrlFTE, {"qrlFTE", nullptr, 348, 4, 52, 17, 10, 0, Right, false, false}},
    {TBand::Detail, &T::qrlRegular, {"qrlRegular", nullptr, 400, 4, 64, 17, 10, 0, Right, false, false}},
    {TBand::Detail, &T::qrlHealth, {"qrlHealth", nullptr, 464, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Detail, &T::qrlVoluntary, {"qrlVoluntary", nullptr, 532, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Detail, &T::qrlContract, {"qrlContract", nullptr, 600, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Summary, nullptr, {"qrlTotalsTitle", "Totals:", 300, 4, 0, 20, 12, fsBold, Left, false, false}},
    {TBand::Summary, &T::qrlRegTotal, {"qrlRegTotal", nullptr, 396, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Summary, &T::qrlHeTotal, {"qrlHeTotal", nullptr, 464, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Summary, &T::qrlVolTotal, {"qrlVolTotal", nullptr, 532, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Summary, &T::qrlContrTotal, {"qrlContrTotal", nullptr, 600, 4, 68, 17, 10, 0, Right, false, false}},
    {TBand::Summary, &T::qrlRecords, {"qrlRecords", nullptr, 16, 26, 0, 17, 10, 0, Left, false, false}},
    {TBand::Summary, nullptr, {"qrlGrandTitle", "Grand Total Receivables:", 300, 26, 0, 20, 12, fsBold, Left, false, false}},
    {TBand::Summary, &T::qrlGrandTotal, {"qrlGrandTotal", nullptr, 504, 26, 90, 20, 12, fsBold, Right, false, false}},
    {TBand::PageFooter, &T::qrlDate, {"qrlDate", nullptr, 16, 4, 0, 17, 10, fsItalic, Left, false, false}},
    {TBand::PageFooter, nullptr, {"qrlPageTitle", "Page : ", 592, 4, 0, 17, 10, fsItalic, Left, false, false}},
};

// Characters Index (1-based) to Index + Count - 1 of Text; fewer at its end.
std::string Copy(const std::string& Text, size_t Index, size_t Count) {
  return Index - 1 < Text.size() ? Text.substr(Index - 1, Count) : std::string();
}

// A number field's text (two decimals, a minus sign when negative) without blanks.
std::string Amount(const TRecord& R, const std::string& Name) {
  std::string Text = R.GetAsString(Name);
  Text.erase(std::remove(Text.begin(), Text.end(), ' '), Text.end());
  return Text;
}

std::string Money(const TRecord& R, const std::string& Name) { return "$" + Amount(R, Name); }

// What the detail labels show of a member (Number: its place in the report),
// and the column header's label over each one, whose text titles its column
// in a comma-separated file too.
const struct {
  TReportLabel* T::*Label;
  TReportLabel* T::*Title;
  std::string (*Text)(const TRecord& R, int32_t Number);
} DetailTexts[] = {
    {&T::qrlSSN, &T::qrlSSNTitle,
     [](const TRecord& R, int32_t) {
       const std::string SSN = R.GetAsString(fnMemberSSN);
       return Copy(SSN, 1, 3) + "-" + Copy(SSN, 4, 2) + "-" + Copy(SSN, 6, 4);
     }},
    {&T::qrlName, &T::qrlNameTitle,
     [](const TRecord& R, int32_t) {
       const std::string Middle = R.GetAsString(fnMiddleName);
       return R.GetAsString(fnLastName) + ", " + R.GetAsString(fnFirstName) +
              (Middle.empty() ? "" : " " + Middle.substr(0, 1) + ".");
     }},
    {&T::qrlPensionable, &T::qrlPensTitle,
     [](const TRecord& R, int32_t) { return Money(R, fnSalaryPensionAmount); }},
    {&T::qrlFTE, &T::qrlFTETitle,
     [](const TRecord& R, int32_t) { return Amount(R, fnSalaryEarnableUnitsWorked) + "%"; }},
    {&T::qrlRegular, &T::qrlRegularTitle,
     [](const TRecord& R, int32_t) { return Money(R, fnContribEmployeePreTax); }},
    {&T::qrlHealth, &T::qrlHealthTitle,
     [](const TRecord& R, int32_t) { return Money(R, fnContribEmployerPreTax); }},
    {&T::qrlVoluntary, &T::qrlVolTitle,
     [](const TRecord& R, int32_t) { return Money(R, fnContribVoluntaryPostTax); }},
    {&T::qrlContract, &T::qrlContractTitle,
     [](const TRecord& R, int32_t) { return Money(R, fnContribContractPostTax); }},
    {&T::qrlN, &T::qrlNTitle,
     [](const TRecord&, int32_t Number) { return std::to_string(Number) + "."; }},
};

// The summary's totals, from the trailer.
const struct {
  TReportLabel* T::*Label;
  const std::string* Field;
} TotalTexts[] = {
    {&T::qrlGrandTotal, &fnTotalReceivables},  {&T::qrlRegTotal, &fnTotalEmplContribAmt},
    {&T::qrlHeTotal, &fnTotalEmplrContribAmt}, {&T::qrlContrTotal, &fnTotalCntrctPayAmt},
    {&T::qrlVolTotal, &fnTotalVolContribAmt},
};

}  // namespace

TfrmReportTrans::TfrmReportTrans(QWidget* Owner) : QObject(Owner), FOwner(Owner) {
  setObjectName("frmReportTrans");
  qrTrans = new TReport(this, "qrTrans");
  qrTrans->Title = "Transaction Report";
  DesignReport(*qrTrans, *this, Bands, Labels);
  for (const auto& Row : DetailTexts)
    (this->*Row.Label)->ColumnTitle = (this->*Row.Title)->Caption;
  QRShape1 = AddReportRule(DetailBand1, "QRShape1", 0, 20, 673, 4);
  QRSysData1 = AddReportPageNumber(PageFooterBand1, "QRSysData1", 640, 4, fsItalic);
  QRTextFilter1 = new TReportTextFilter(qrTrans, "QRTextFilter1");
  QRCSVFilter1 = new TReportCSVFilter(qrTrans, "QRCSVFilter1", ',');
  qrTrans->OnBeforePrint = [this](TReport* Sender, bool& PrintReport) {
    qrTransBeforePrint(Sender, PrintReport);
  };
  qrTrans->OnNeedData = [this](TReport* Sender, bool& MoreData) {
    qrTransNeedData(Sender, MoreData);
  };
}

TfrmReportTrans::~TfrmReportTrans() = default;

void TfrmReportTrans::Preview() { qrTrans->Preview(FOwner); }

void TfrmReportTrans::qrTransBeforePrint(QObject*, bool& PrintReport) {
  PrintReport = Run.Start();
  if (!PrintReport) return;
  const TRecord& Header = *Trans->Header;
  qrlTitle->Caption = "Transactions - " + MonthName(Header.GetAsInteger(fnBatchMonth)) + " " +
                      Header.GetAsString(fnBatchYear) + " Transmittal";
  qrlRecords->Caption = std::to_string(Run.VisibleRecords) + " record(s)";
  for (const auto& Row : TotalTexts)
    (this->*Row.Label)->Caption = "$" + Amount(*Trans->Trailer, *Row.Field);
  qrlDate->Caption = "Report date : " + DateToStr(Date());
  qrlEmployer->Caption = Header.GetAsString(fnBatchEmployerName);
}

void TfrmReportTrans::qrTransNeedData(QObject*, bool& MoreData) {
  const TRecord* Member = Run.Next();
  MoreData = Member != nullptr;
  if (!MoreData) return;
  for (const auto& Row : DetailTexts)
    (this->*Row.Label)->Caption = Row.Text(*Member, Run.PrintedRecords);
}

#include "RMember.h"

#include <QWidget>
#include <string>

#include "Calendar.h"
#include "PCodeTable.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "Report.h"
#include "ReportExport.h"
#include "ReportLabel.h"
#include "Utils.h"

namespace {

using T = TfrmReportMember;
using TBand = TReportBandType;
constexpr uint8_t BoldItalic = fsBold | fsItalic;
constexpr auto Left = TReportAlignment::Left;

// The bands, top to bottom, in units of 1/96 inch.
const TReportBandRow<T> Bands[] = {
    {&T::PageHeaderBand1, TBand::PageHeader, "PageHeaderBand1", 55, clWhite, false},
    {&T::ColumnHeaderBand1, TBand::ColumnHeader, "ColumnHeaderBand1", 42, clSilver, false},
    {&T::DetailBand1, TBand::Detail, "DetailBand1", 68, clWhite, false},
    {&T::SummaryBand1, TBand::Summary, "SummaryBand1", 22, clWhite, true},
    {&T::PageFooterBand1, TBand::PageFooter, "PageFooterBand1", 21, clWhite, false},
};

// The labels: band, the member that names it (null for a fixed text), and its
// design (name, fixed text, left, top, width - 0 sized to its text - height,
// size, style, alignment, grows downwards, centred across the band).
// The detail labels that hold free text grow downwards when it wraps, so a
// long name, address, city line or mail address is printed whole. The line
// number's box ends before the SSN, so a number of four or more digits is set
// smaller instead of running into it.
const TReportLabelRow<T> Labels[] = {
    {TBand::PageHeader, &T::qrlEmployer, {"qrlEmployer", nullptr, 8, 4, 0, 17, 12, BoldItalic, Left, false, false}},
    {TBand::PageHeader, &T::qrlTitle, {"qrlTitle", nullptr, 0, 27, 0, 25, 16, fsBold, Left, false, true}},
    {TBand::ColumnHeader, nullptr, {"qrlNTitle", "N", 4, 3, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlSSNTitle", "SSN # /", 35, 3, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlNameTitle", "Name /", 123, 3, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlPhoneTitle", "Phone /", 433, 3, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlBirthTitle", "Birth Day /", 594, 3, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlGenderTitle", "Gender", 35, 21, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlAddressTitle", "Address", 123, 21, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlEMailTitle", "EMail", 434, 21, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::ColumnHeader, nullptr, {"qrlMariTitle", "Marital Status", 586, 21, 0, 17, 10, BoldItalic, Left, false, false}},
    {TBand::Detail, &T::qrlN, {"qrlN", nullptr, 2, 4, 31, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlSSN, {"qrlSSN", nullptr, 35, 4, 0, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlName, {"qrlName", nullptr, 123, 4, 310, 17, 10, 0, Left, true, false}},
    {TBand::Detail, &T::qrlPhone, {"qrlPhone", nullptr, 433, 4, 160, 17, 10, 0, Left, true, false}},
    {TBand::Detail, &T::qrlBirthDay, {"qrlBirthDay", nullptr, 594, 4, 72, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlGender, {"qrlGender", nullptr, 35, 24, 76, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlAddress, {"qrlAddress", nullptr, 123, 24, 469, 17, 10, 0, Left, true, false}},
    {TBand::Detail, &T::qrlMari, {"qrlMari", nullptr, 594, 24, 74, 17, 10, 0, Left, false, false}},
    {TBand::Detail, &T::qrlCity, {"qrlCity", nullptr, 123, 44, 307, 17, 10, 0, Left, true, false}},
    {TBand::Detail, &T::qrlEmailAddr, {"qrlEmailAddr", nullptr, 433, 44, 237, 17, 10, 0, Left, true, false}},
    {TBand::Summary, &T::qrlRecords, {"qrlRecords", nullptr, 16, 2, 0, 17, 10, fsBold, Left, false, false}},
    {TBand::PageFooter, &T::qrlDate, {"qrlDate", nullptr, 16, 2, 0, 17, 10, fsItalic, Left, false, false}},
    {TBand::PageFooter, nullptr, {"qrlPageTitle", "Page : ", 592, 2, 0, 17, 10, fsItalic, Left, false, false}},
};

// Characters Index (1-based) to Index + Count - 1 of Text; fewer at its end.
std::string Copy(const std::string& Text, size_t Index, size_t Count) {
  return Index - 1 < Text.size() ? Text.substr(Index - 1, Count) : std::string();
}

std::string Field(const TRecord& R, const std::string& Name) { return R.GetAsString(Name); }

std::string NameText(const TRecord& R, int32_t) {
  const std::string Prefix = Field(R, fnNamePrefix);
  const std::string Middle = Field(R, fnMiddleName);
  const std::string Suffix = Field(R, fnNameSuffix);
  std::string Text;
  if (Prefix != "0") Text = GetCodeShortNameByValue(0, Prefix) + " ";
  Text += Field(R, fnLastName) + ", " + Field(R, fnFirstName);
  if (!Middle.empty()) Text += " " + Middle.substr(0, 1) + ".";
  if (Suffix != "0") Text += ", " + GetCodeShortNameByValue(1, Suffix);
  return Text;
}

std::string PhoneText(const TRecord& R, int32_t) {
  const std::string Number = Field(R, fnPhoneNumber);
  if (Number.empty()) return {};
  const std::string Area = Field(R, fnPhoneAreaCode);
  const std::string Extension = Field(R, fnExtension);
  std::string Text;
  if (!Area.empty()) Text = "(" + Area + ") ";
  Text += Copy(Number, 1, 3) + "-" + Copy(Number, 4, 4);
  if (!Extension.empty()) Text += " / " + Extension;
  return Text;
}

// The marital status words by the code's first character.
const struct {
  char Code;
  const char* Word;
} MaritalWords[] = {{'1', "Divorced"}, {'2', "Married"}, {'4', "Single"}, {'5', "Widowed"},
                    {'6', "Unknown"}};

std::string MaritalText(const TRecord& R, int32_t) {
  const std::string Code = Field(R, fnMaritalStatusCD);
  for (const auto& Row : MaritalWords)
    if (!Code.empty() && Code[0] == Row.Code) return Row.Word;
  return {};
}

std::string AddressText(const TRecord& R, int32_t) {
  const std::string Second = Field(R, fnAddressLine2);
  return Field(R, fnAddressLine1) + (Second.empty() ? "" : ", " + Second);
}

std::string CityText(const TRecord& R, int32_t) {
  const std::string Zip4 = Field(R, fnAddressZip4);
  return Field(R, fnAddressCity) + ", " + Field(R, fnAddressState) + " " + Field(R, fnAddressZip) +
         (Zip4.empty() ? "" : "-" + Zip4);
}

// What the detail labels show of a member (Number: its place in the report),
// and the title of each one's column in a comma-separated file: the column
// header's words, where the page has them, without the " /" that points to the
// line below.
const struct {
  TReportLabel* T::*Label;
  const char* Title;
  std::string (*Text)(const TRecord& R, int32_t Number);
} DetailTexts[] = {
    {&T::qrlN, "N", [](const TRecord&, int32_t Number) { return std::to_string(Number) + "."; }},
    {&T::qrlSSN, "SSN #",
     [](const TRecord& R, int32_t) {
       const std::string SSN = Field(R, fnMemberSSN);
       return Copy(SSN, 1, 3) + "-" + Copy(SSN, 4, 2) + "-" + Copy(SSN, 6, 4);
     }},
    {&T::qrlName, "Name", NameText},
    {&T::qrlPhone, "Phone", PhoneText},
    {&T::qrlBirthDay, "Birth Day", [](const TRecord& R, int32_t) { return Field(R, fnBirthDate); }},
    {&T::qrlGender, "Gender",
     [](const TRecord& R, int32_t) { return GetCodeShortNameByValue(2, Field(R, fnGenderCD)); }},
    {&T::qrlAddress, "Address", AddressText},
    {&T::qrlMari, "Marital Status", MaritalText},
    {&T::qrlCity, "City, State ZIP", CityText},
    {&T::qrlEmailAddr, "EMail", [](const TRecord& R, int32_t) { return Field(R, fnAddressEMail); }},
};

}  // namespace

TfrmReportMember::TfrmReportMember(QWidget* Owner) : QObject(Owner), FOwner(Owner) {
  setObjectName("frmReportMember");
  qrMembers = new TReport(this, "qrMembers");
  qrMembers->Title = "Member Report";
  DesignReport(*qrMembers, *this, Bands, Labels);
  for (const auto& Row : DetailTexts) (this->*Row.Label)->ColumnTitle = Row.Title;
  QRShape1 = AddReportRule(DetailBand1, "QRShape1", 0, 62, 673, 4);
  QRSysData1 = AddReportPageNumber(PageFooterBand1, "QRSysData1", 640, 2, fsItalic);
  QRTextFilter1 = new TReportTextFilter(qrMembers, "QRTextFilter1");
  QRCSVFilter1 = new TReportCSVFilter(qrMembers, "QRCSVFilter1", ',');
  qrMembers->OnBeforePrint = [this](TReport* Sender, bool& PrintReport) {
    qrMembersBeforePrint(Sender, PrintReport);
  };
  qrMembers->OnNeedData = [this](TReport* Sender, bool& MoreData) {
    qrMembersNeedData(Sender, MoreData);
  };
}

TfrmReportMember::~TfrmReportMember() = default;

void TfrmReportMember::Preview() { qrMembers->Preview(FOwner); }

void TfrmReportMember::qrMembersBeforePrint(QObject*, bool& PrintReport) {
  PrintReport = Run.Start();
  if (!PrintReport) return;
  const TRecord& Header = *Trans->Header;
  qrlTitle->Caption = "Members - " + MonthName(Header.GetAsInteger(fnBatchMonth)) + " " +
                      Header.GetAsString(fnBatchYear) + " Transmittal";
  qrlRecords->Caption = std::to_string(Run.VisibleRecords) + " record(s)";
  qrlDate->Caption = "Report date : " + DateToStr(Date());
  qrlEmployer->Caption = Header.GetAsString(fnBatchEmployerName);
}

void TfrmReportMember::qrMembersNeedData(QObject*, bool& MoreData) {
  const TRecord* Member = Run.Next();
  MoreData = Member != nullptr;
  if (!MoreData) return;
  for (const auto& Row : DetailTexts)
    (this->*Row.Label)->Caption = Row.Text(*Member, Run.PrintedRecords);
}

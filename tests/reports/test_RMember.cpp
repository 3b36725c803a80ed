// The member report: what its run lays out for the members of the open
// transmittal, page by page.

#include <QApplication>
#include <QToolButton>

#include "QtTestSupport.h"
#include "RMember.h"
#include "ReportFixture.h"
#include "ReportPreview.h"

namespace {

using TBand = TReportBandType;

// The text of a label in the first detail band of a fresh run.
std::string FirstDetail(TfrmReportMember& Report, const char* Name) {
  if (!Report.qrMembers->Prepare()) return "<no run>";
  const auto Details = BandsOf(Report.qrMembers->Layout(), TBand::Detail);
  return Details.empty() ? "<no detail>" : TextOf(Report.qrMembers->Layout(), Details[0], Name);
}

}  // namespace

class TestRMember : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void SearchLeavingThreeOfTenListsJustThoseNumberedFromOne() {
    TReportTrans Data;
    Data.AddMany(10);
    for (int I = 0; I < 10; ++I) Data.T.Details[I]->Visible = I == 1 || I == 4 || I == 8;
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    const TReportLayout& L = Report.qrMembers->Layout();
    QCOMPARE(L.PageCount(), 1);
    QCOMPARE(TextsOf(L, TBand::Detail, "qrlN"), (std::vector<std::string>{"1.", "2.", "3."}));
    QCOMPARE(TextsOf(L, TBand::Detail, "qrlSSN"),
             (std::vector<std::string>{"100-00-0002", "100-00-0005", "100-00-0009"}));
    QCOMPARE(TextsOf(L, TBand::Summary, "qrlRecords"), std::vector<std::string>{"3 record(s)"});
  }

  void MembersPrintInTheListsCurrentOrder() {
    TReportTrans Data;
    Data.Add("300000000", "Cole");
    Data.Add("100000000", "Adams");
    Data.Add("200000000", "Baker");
    Data.T.SortByField(fnLastName);
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    QCOMPARE(TextsOf(Report.qrMembers->Layout(), TBand::Detail, "qrlName"),
             (std::vector<std::string>{"Mr. Adams, John", "Mr. Baker, John", "Mr. Cole, John"}));
  }

  void NameParts_data() {
    QTest::addColumn<QString>("Prefix");
    QTest::addColumn<QString>("Middle");
    QTest::addColumn<QString>("Suffix");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("no prefix, suffix or middle") << "0" << "" << "0" << "Smith, John";
    QTest::newRow("Mr., middle initial, Jr.") << "3" << "Anne" << "2" << "Mr. Smith, John A., Jr.";
    QTest::newRow("suffix alone") << "0" << "" << "3" << "Smith, John, Ph.D.";
    QTest::newRow("prefix and lower-case middle") << "1" << "b" << "0" << "Dr. Smith, John b.";
    // A code no row has reads as the table's first row, whose short name is empty.
    QTest::newRow("unknown prefix code") << "8" << "" << "0" << " Smith, John";
  }
  void NameParts() {
    QFETCH(QString, Prefix);
    QFETCH(QString, Middle);
    QFETCH(QString, Suffix);
    QFETCH(QString, Expected);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "Smith");
    R->SetAsString(fnNamePrefix, Prefix.toStdString());
    R->SetAsString(fnMiddleName, Middle.toStdString());
    R->SetAsString(fnNameSuffix, Suffix.toStdString());
    TfrmReportMember Report(nullptr);
    QCOMPARE(FirstDetail(Report, "qrlName"), Expected.toStdString());
  }

  void Telephone_data() {
    QTest::addColumn<QString>("Area");
    QTest::addColumn<QString>("Number");
    QTest::addColumn<QString>("Extension");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("none") << "" << "" << "" << "";
    QTest::newRow("area and extension without a number") << "518" << "" << "12" << "";
    QTest::newRow("number alone") << "" << "5551234" << "" << "555-1234";
    QTest::newRow("with area code") << "518" << "5551234" << "" << "(518) 555-1234";
    QTest::newRow("with extension") << "518" << "5551234" << "12345" << "(518) 555-1234 / 12345";
    QTest::newRow("extension without area code") << "" << "5551234" << "7" << "555-1234 / 7";
  }
  void Telephone() {
    QFETCH(QString, Area);
    QFETCH(QString, Number);
    QFETCH(QString, Extension);
    QFETCH(QString, Expected);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "Smith");
    R->SetAsString(fnPhoneAreaCode, Area.toStdString());
    R->SetAsString(fnPhoneNumber, Number.toStdString());
    R->SetAsString(fnExtension, Extension.toStdString());
    TfrmReportMember Report(nullptr);
    QCOMPARE(FirstDetail(Report, "qrlPhone"), Expected.toStdString());
  }

  void GenderAndMaritalWords_data() {
    QTest::addColumn<QString>("Gender");
    QTest::addColumn<QString>("GenderWord");
    QTest::addColumn<QString>("Marital");
    QTest::addColumn<QString>("MaritalWord");
    QTest::newRow("male, divorced") << "1" << "Male" << "1" << "Divorced";
    QTest::newRow("female, married") << "2" << "Female" << "2" << "Married";
    QTest::newRow("unknown, single") << "3" << "Unknown" << "4" << "Single";
    QTest::newRow("empty gender, widowed") << "" << "Unknown" << "5" << "Widowed";
    QTest::newRow("no such gender, unknown status") << "7" << "Unknown" << "6" << "Unknown";
    QTest::newRow("status 0 prints nothing") << "1" << "Male" << "0" << "";
    QTest::newRow("status 3 prints nothing") << "1" << "Male" << "3" << "";
    QTest::newRow("empty status prints nothing") << "1" << "Male" << "" << "";
  }
  void GenderAndMaritalWords() {
    QFETCH(QString, Gender);
    QFETCH(QString, GenderWord);
    QFETCH(QString, Marital);
    QFETCH(QString, MaritalWord);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "Smith");
    R->SetAsString(fnGenderCD, Gender.toStdString());
    R->SetAsString(fnMaritalStatusCD, Marital.toStdString());
    TfrmReportMember Report(nullptr);
    QCOMPARE(FirstDetail(Report, "qrlGender"), GenderWord.toStdString());
    QCOMPARE(FirstDetail(Report, "qrlMari"), MaritalWord.toStdString());
  }

  void AddressAndCityLines_data() {
    QTest::addColumn<QString>("Line2");
    QTest::addColumn<QString>("Zip4");
    QTest::addColumn<QString>("Address");
    QTest::addColumn<QString>("City");
    QTest::newRow("one line, five-digit ZIP") << "" << "" << "12 Main St." << "Albany, NY 12207";
    QTest::newRow("second line, ZIP+4") << "Apt 4" << "1234" << "12 Main St., Apt 4"
                                        << "Albany, NY 12207-1234";
  }
  void AddressAndCityLines() {
    QFETCH(QString, Line2);
    QFETCH(QString, Zip4);
    QFETCH(QString, Address);
    QFETCH(QString, City);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "Smith");
    R->SetAsString(fnAddressLine2, Line2.toStdString());
    R->SetAsString(fnAddressZip4, Zip4.toStdString());
    TfrmReportMember Report(nullptr);
    QCOMPARE(FirstDetail(Report, "qrlAddress"), Address.toStdString());
    QCOMPARE(FirstDetail(Report, "qrlCity"), City.toStdString());
    QCOMPARE(FirstDetail(Report, "qrlBirthDay"), std::string("01/15/1970"));
    QCOMPARE(FirstDetail(Report, "qrlSSN"), std::string("123-45-6789"));
  }

  void PageHeaderAndFooter_data() {
    QTest::addColumn<QString>("Month");
    QTest::addColumn<QString>("Title");
    QTest::newRow("September") << "09" << "Members - September 2004 Transmittal";
    QTest::newRow("June") << "06" << "Members - June 2004 Transmittal";
    QTest::newRow("month 13") << "13" << "Members -  2004 Transmittal";
    QTest::newRow("month 0") << "00" << "Members -  2004 Transmittal";
  }
  void PageHeaderAndFooter() {
    QFETCH(QString, Month);
    QFETCH(QString, Title);
    TReportTrans Data;
    Data.Add("123456789", "Smith");
    Data.T.Header->SetAsString(fnBatchMonth, Month.toStdString());
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    const TReportLayout& L = Report.qrMembers->Layout();
    const TLaidBand Header = BandsOf(L, TBand::PageHeader).at(0);
    QCOMPARE(TextOf(L, Header, "qrlTitle"), Title.toStdString());
    QCOMPARE(TextOf(L, Header, "qrlEmployer"), std::string("Lakeside School"));
    const TLaidBand Footer = BandsOf(L, TBand::PageFooter).at(0);
    QCOMPARE(TextOf(L, Footer, "qrlDate"), std::string("Report date : 09/15/2004"));
    QCOMPARE(TextOf(L, Footer, "QRSysData1"), std::string("1"));
  }

  void TwelveMembersToAPageNumberedOnAcrossPages() {
    TReportTrans Data;
    Data.AddMany(26);
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    const TReportLayout& L = Report.qrMembers->Layout();
    QCOMPARE(L.PageCount(), 3);
    const int Expected[] = {12, 12, 2};
    for (int Page = 0; Page < 3; ++Page) {
      QCOMPARE(int(BandsOf(L, TBand::Detail, Page).size()), Expected[Page]);
      // Every page opens with the page header and the column header under it,
      // and ends with its footer and number.
      const auto Bands = L.Bands(Page);
      QCOMPARE(Bands[0].Band, Report.PageHeaderBand1);
      QCOMPARE(Bands[0].Top, 48);
      QCOMPARE(Bands[1].Band, Report.ColumnHeaderBand1);
      QCOMPARE(Bands[1].Top, 48 + 55);
      QCOMPARE(Bands.back().Band, Report.PageFooterBand1);
      QCOMPARE(Bands.back().Top, 1056 - 48 - 21);
      QCOMPARE(TextOf(L, Bands.back(), "QRSysData1"), std::to_string(Page + 1));
    }
    QCOMPARE(TextOf(L, BandsOf(L, TBand::Detail, 1).front(), "qrlN"), std::string("13."));
    QCOMPARE(TextOf(L, BandsOf(L, TBand::Detail, 2).back(), "qrlN"), std::string("26."));
    const auto Summary = BandsOf(L, TBand::Summary);
    QCOMPARE(int(Summary.size()), 1);
    QCOMPARE(BandsOf(L, TBand::Summary, 2).size(), size_t(1));
    QCOMPARE(TextOf(L, Summary[0], "qrlRecords"), std::string("26 record(s)"));
  }

  void EveryRunStartsAgainAtTheFirstVisibleMember() {
    TReportTrans Data;
    Data.AddMany(5);
    Data.T.Details[0]->Visible = false;
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    const auto First = TextsOf(Report.qrMembers->Layout(), TBand::Detail, "qrlSSN");
    QVERIFY(Report.qrMembers->Prepare());
    QCOMPARE(TextsOf(Report.qrMembers->Layout(), TBand::Detail, "qrlSSN"), First);
    QCOMPARE(TextsOf(Report.qrMembers->Layout(), TBand::Detail, "qrlN"),
             (std::vector<std::string>{"1.", "2.", "3.", "4."}));
    QCOMPARE(First.front(), std::string("100-00-0002"));
  }

  // A wrapped text pushes the entry's lower lines and its rule down, so nothing
  // overlaps and the next entry starts below.
  void WrappedTextGrowsTheEntry_data() {
    QTest::addColumn<QString>("Field");
    QTest::addColumn<QString>("Value");
    QTest::addColumn<QString>("Label");
    QTest::newRow("extension too wide for the phone column")
        << QString::fromStdString(fnExtension) << "WWWWW" << "qrlPhone";
    QTest::newRow("long name") << QString::fromStdString(fnFirstName)
                               << "Maximiliana Christabel Wilhelmina" << "qrlName";
  }
  void WrappedTextGrowsTheEntry() {
    QFETCH(QString, Field);
    QFETCH(QString, Value);
    QFETCH(QString, Label);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "Wolfeschlegelsteinhausen");
    R->SetAsString(fnPhoneAreaCode, "518");
    R->SetAsString(fnPhoneNumber, "5551234");
    R->SetAsString(Field.toStdString(), Value.toStdString());
    Data.Add("223456789", "Short");
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    const TReportLayout& L = Report.qrMembers->Layout();
    const auto Details = BandsOf(L, TBand::Detail);
    const QByteArray Name = Label.toLatin1();
    const TLaidItem Grown = ItemNamed(L, Details[0], Name.constData());
    QVERIFY(Grown.Height > 17);
    const int32_t Growth = Details[0].Height - 68;
    QCOMPARE(Growth, Grown.Height - 17);
    // The same line stays; the lines below and the rule move down by the growth.
    QCOMPARE(ItemNamed(L, Details[0], "qrlBirthDay").Top, Details[0].Top + 4);
    QCOMPARE(ItemNamed(L, Details[0], "qrlGender").Top, Details[0].Top + 24 + Growth);
    QCOMPARE(ItemNamed(L, Details[0], "qrlCity").Top, Details[0].Top + 44 + Growth);
    QCOMPARE(ItemNamed(L, Details[0], "QRShape1").Top, Details[0].Top + 62 + Growth);
    QVERIFY(ItemNamed(L, Details[0], "qrlAddress").Top >= Grown.Top + Grown.Height);
    QCOMPARE(Details[1].Top, Details[0].Top + Details[0].Height);
    QCOMPARE(Details[1].Height, 68);
  }

  // A four-digit line number stays clear of the SSN beside it: its box ends
  // where the SSN begins, and the number's font shrinks to fit the box.
  void LineNumbersStayClearOfTheSSN() {
    TReportTrans Data;
    Data.AddMany(1000);
    TfrmReportMember Report(nullptr);
    QVERIFY(Report.qrMembers->Prepare());
    const TReportLayout& L = Report.qrMembers->Layout();
    const TLaidBand Last = BandsOf(L, TBand::Detail).back();
    QCOMPARE(TextOf(L, Last, "qrlN"), std::string("1000."));
    const TLaidItem Number = ItemNamed(L, Last, "qrlN");
    QVERIFY(Number.Left + Number.Width < ItemNamed(L, Last, "qrlSSN").Left);
  }

  void NoVisibleMemberOpensNoPreview() {
    TReportTrans Data;
    Data.AddMany(3);
    for (TRecord* R : Data.T.Details) R->Visible = false;
    TfrmReportMember Report(nullptr);
    bool Shown = false;
    WhenModalShown([&Shown](QWidget* Modal) {
      Shown = true;
      Modal->close();
    }, 200);
    Report.Preview();
    QTest::qWait(300);
    QVERIFY(!Shown);
    QCOMPARE(Report.qrMembers->Layout().PageCount(), 0);
  }

  void PreviewShowsTheRunAndReturnsWhenClosed() {
    TReportTrans Data;
    Data.AddMany(13);
    TfrmReportMember Report(nullptr);
    int Pages = -1;
    WhenModalShown([&Pages](QWidget* Modal) {
      auto* Preview = qobject_cast<TReportPreview*>(Modal);
      QVERIFY(Preview != nullptr);
      Pages = Preview->PageCount();
      Preview->btnClose->click();
    });
    Report.Preview();
    QCOMPARE(Pages, 2);
  }
};

QTEST_MAIN(TestRMember)
#include "test_RMember.moc"

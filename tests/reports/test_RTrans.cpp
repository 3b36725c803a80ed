// The transaction report: what its run lays out for the members of the open
// transmittal, and its totals from the trailer.

#include <QApplication>

#include "RTrans.h"
#include "ReportFixture.h"

namespace {

using TBand = TReportBandType;

std::string FirstDetail(TfrmReportTrans& Report, const char* Name) {
  if (!Report.qrTrans->Prepare()) return "<no run>";
  const auto Details = BandsOf(Report.qrTrans->Layout(), TBand::Detail);
  return Details.empty() ? "<no detail>" : TextOf(Report.qrTrans->Layout(), Details[0], Name);
}

}  // namespace

class TestRTrans : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void SearchLeavingThreeOfTenKeepsTheTotalsOfAllTen() {
    TReportTrans Data;
    Data.AddMany(10);
    for (int I = 0; I < 10; ++I) {
      TRecord* R = Data.T.Details[I];
      R->SetAsFloat(fnContribEmployeePreTax, 70 + I);
      R->SetAsFloat(fnContribVoluntaryPostTax, I % 2 ? 5 : 0);
      R->SetAsFloat(fnContribContractPostTax, 1.25);
      R->Visible = I == 0 || I == 3 || I == 7;
    }
    Data.Totals();
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    QCOMPARE(TextsOf(L, TBand::Detail, "qrlN"), (std::vector<std::string>{"1.", "2.", "3."}));
    QCOMPARE(TextsOf(L, TBand::Detail, "qrlRegular"),
             (std::vector<std::string>{"$70.00", "$73.00", "$77.00"}));
    const TLaidBand Summary = BandsOf(L, TBand::Summary).at(0);
    QCOMPARE(TextOf(L, Summary, "qrlRecords"), std::string("3 record(s)"));
    QCOMPARE(TextOf(L, Summary, "qrlRegTotal"), std::string("$745.00"));
    QCOMPARE(TextOf(L, Summary, "qrlHeTotal"), std::string("$125.00"));
    QCOMPARE(TextOf(L, Summary, "qrlVolTotal"), std::string("$25.00"));
    QCOMPARE(TextOf(L, Summary, "qrlContrTotal"), std::string("$12.50"));
    QCOMPARE(TextOf(L, Summary, "qrlGrandTotal"), std::string("$907.50"));
  }

  void Amounts_data() {
    QTest::addColumn<QString>("Field");
    QTest::addColumn<double>("Value");
    QTest::addColumn<QString>("Label");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("negative voluntary") << QString::fromStdString(fnContribVoluntaryPostTax)
                                        << -12.5 << "qrlVoluntary" << "$-12.50";
    QTest::newRow("zero contract") << QString::fromStdString(fnContribContractPostTax) << 0.0
                                   << "qrlContract" << "$0.00";
    QTest::newRow("FTE of 100") << QString::fromStdString(fnSalaryEarnableUnitsWorked) << 100.0
                                << "qrlFTE" << "100.00%";
    QTest::newRow("FTE with decimals") << QString::fromStdString(fnSalaryEarnableUnitsWorked)
                                       << 37.5 << "qrlFTE" << "37.50%";
    QTest::newRow("no thousands separators") << QString::fromStdString(fnSalaryPensionAmount)
                                             << 1234567.89 << "qrlPensionable" << "$1234567.89";
    QTest::newRow("health") << QString::fromStdString(fnContribEmployerPreTax) << 12.5
                            << "qrlHealth" << "$12.50";
  }
  void Amounts() {
    QFETCH(QString, Field);
    QFETCH(double, Value);
    QFETCH(QString, Label);
    QFETCH(QString, Expected);
    TReportTrans Data;
    Data.Add("123456789", "Smith")->SetAsFloat(Field.toStdString(), Value);
    Data.Totals();
    TfrmReportTrans Report(nullptr);
    QCOMPARE(FirstDetail(Report, Label.toLatin1().constData()), Expected.toStdString());
  }

  void NegativeAndLargeTotals() {
    TReportTrans Data;
    Data.Add("123456789", "Smith")->SetAsFloat(fnContribVoluntaryPostTax, -40);
    Data.Add("223456789", "Jones")->SetAsFloat(fnContribEmployeePreTax, 7654321.09);
    Data.Totals();
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    const TLaidBand Summary = BandsOf(L, TBand::Summary).at(0);
    QCOMPARE(TextOf(L, Summary, "qrlVolTotal"), std::string("$-40.00"));
    QCOMPARE(TextOf(L, Summary, "qrlRegTotal"), std::string("$7654391.09"));
    QCOMPARE(TextOf(L, Summary, "qrlGrandTotal"), std::string("$7654376.09"));
  }

  void NameCarriesNeitherPrefixNorSuffix_data() {
    QTest::addColumn<QString>("Middle");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("middle initial") << "Anne" << "Smith, John A.";
    QTest::newRow("no middle name") << "" << "Smith, John";
  }
  void NameCarriesNeitherPrefixNorSuffix() {
    QFETCH(QString, Middle);
    QFETCH(QString, Expected);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "Smith");
    R->SetAsString(fnNamePrefix, "3");
    R->SetAsString(fnNameSuffix, "2");
    R->SetAsString(fnMiddleName, Middle.toStdString());
    TfrmReportTrans Report(nullptr);
    QCOMPARE(FirstDetail(Report, "qrlName"), Expected.toStdString());
    QCOMPARE(FirstDetail(Report, "qrlSSN"), std::string("123-45-6789"));
    QCOMPARE(FirstDetail(Report, "qrlN"), std::string("1."));
  }

  void TitleAndFooter_data() {
    QTest::addColumn<QString>("Month");
    QTest::addColumn<QString>("Title");
    QTest::newRow("September") << "09" << "Transactions - September 2004 Transmittal";
    QTest::newRow("month 13") << "13" << "Transactions -  2004 Transmittal";
  }
  void TitleAndFooter() {
    QFETCH(QString, Month);
    QFETCH(QString, Title);
    TReportTrans Data;
    Data.Add("123456789", "Smith");
    Data.T.Header->SetAsString(fnBatchMonth, Month.toStdString());
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    QCOMPARE(TextsOf(L, TBand::PageHeader, "qrlTitle"), std::vector<std::string>{Title.toStdString()});
    QCOMPARE(TextsOf(L, TBand::PageHeader, "qrlEmployer"), std::vector<std::string>{"Lakeside School"});
    QCOMPARE(TextsOf(L, TBand::PageFooter, "qrlDate"),
             std::vector<std::string>{"Report date : 09/15/2004"});
  }

  // Each total ends on the right edge of its column, as the column's title and
  // its amounts do.
  void TotalsStandUnderTheirColumns_data() {
    QTest::addColumn<QString>("Title");
    QTest::addColumn<QString>("Amount");
    QTest::addColumn<QString>("Total");
    QTest::newRow("regular") << "qrlRegularTitle" << "qrlRegular" << "qrlRegTotal";
    QTest::newRow("health") << "qrlHealthTitle" << "qrlHealth" << "qrlHeTotal";
    QTest::newRow("voluntary") << "qrlVolTitle" << "qrlVoluntary" << "qrlVolTotal";
    QTest::newRow("contract") << "qrlContractTitle" << "qrlContract" << "qrlContrTotal";
  }
  void TotalsStandUnderTheirColumns() {
    QFETCH(QString, Title);
    QFETCH(QString, Amount);
    QFETCH(QString, Total);
    TReportTrans Data;
    Data.Add("123456789", "Smith");
    Data.Totals();
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    const auto RightEdge = [&L](TBand Band, const QString& Name) {
      const TLaidItem Item = ItemNamed(L, BandsOf(L, Band).at(0), Name.toLatin1().constData());
      return Item.Left + Item.Width;
    };
    const int32_t Column = RightEdge(TBand::ColumnHeader, Title);
    QCOMPARE(RightEdge(TBand::Detail, Amount), Column);
    QCOMPARE(RightEdge(TBand::Summary, Total), Column);
  }

  void LongNameWrapsOntoASecondLine() {
    TReportTrans Data;
    Data.Add("123456789", "Richardson", "Christopher")->SetAsString(fnMiddleName, "Allen");
    Data.Add("223456789", "Smith");
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    const auto Details = BandsOf(L, TBand::Detail);
    QCOMPARE(TextOf(L, Details[0], "qrlName"), std::string("Richardson, Christopher A."));
    const TLaidItem Name = ItemNamed(L, Details[0], "qrlName");
    QVERIFY(Name.Height > 17);
    QCOMPARE(Details[0].Height, 24 + Name.Height - 17);
    // The rule under the line moves down with it, clear of the second line.
    QCOMPARE(ItemNamed(L, Details[0], "QRShape1").Top, Details[0].Top + 20 + Name.Height - 17);
    QCOMPARE(Details[1].Top, Details[0].Top + Details[0].Height);
    QCOMPARE(Details[1].Height, 24);
  }

  void ThirtyFiveLinesToAPage() {
    TReportTrans Data;
    Data.AddMany(40);
    Data.Totals();
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    QCOMPARE(L.PageCount(), 2);
    QCOMPARE(BandsOf(L, TBand::Detail, 0).size(), size_t(35));
    QCOMPARE(BandsOf(L, TBand::Detail, 1).size(), size_t(5));
    QCOMPARE(TextOf(L, BandsOf(L, TBand::Detail, 1).front(), "qrlN"), std::string("36."));
    QCOMPARE(BandsOf(L, TBand::Summary, 1).size(), size_t(1));
    QCOMPARE(TextsOf(L, TBand::PageFooter, "QRSysData1"), (std::vector<std::string>{"1", "2"}));
    QCOMPARE(TextsOf(L, TBand::PageHeader, "qrlTitle").size(), size_t(2));
  }

  // A four-digit line number stays clear of the SSN beside it: its box ends
  // where the SSN begins, and the number's font shrinks to fit the box.
  void LineNumbersStayClearOfTheSSN() {
    TReportTrans Data;
    Data.AddMany(1000);
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    const TLaidBand Last = BandsOf(L, TBand::Detail).back();
    QCOMPARE(TextOf(L, Last, "qrlN"), std::string("1000."));
    const TLaidItem Number = ItemNamed(L, Last, "qrlN");
    QVERIFY(Number.Left + Number.Width < ItemNamed(L, Last, "qrlSSN").Left);
  }

  void NoVisibleMemberStopsTheRun() {
    TReportTrans Data;
    Data.AddMany(2);
    for (TRecord* R : Data.T.Details) R->Visible = false;
    TfrmReportTrans Report(nullptr);
    QVERIFY(!Report.qrTrans->Prepare());
    QCOMPARE(Report.qrTrans->Layout().PageCount(), 0);
  }
};

QTEST_MAIN(TestRTrans)
#include "test_RTrans.moc"

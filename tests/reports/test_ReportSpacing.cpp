// Both reports at their widest: the largest amounts a file can hold, the
// longest texts its fields hold, line numbers of four digits. On every page no
// text passes its box, and no two texts of a band on the same line overlap or
// come closer than a blank's width ("$700000.00$125000.00" in the totals,
// "100.00%$86419.75" in a member's line), in the layout and as the preview's
// screen and a printer draw it.

#include <QApplication>
#include <QPainter>

#include "RMember.h"
#include "RTrans.h"
#include "ReportFixture.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "TextRecorder.h"

namespace {

// The ends of what a file stores: signed 32-bit counts of hundredths.
constexpr double Largest = 21474836.47;
constexpr double Smallest = -21474836.48;

const std::string* const MemberAmounts[] = {
    &fnSalaryPensionAmount,   &fnSalaryEarnableAmount,  &fnContribEmployeePreTax,
    &fnContribEmployerPreTax, &fnContribVoluntaryPostTax, &fnContribContractPostTax};
const std::string* const TrailerTotals[] = {&fnTotalEmplContribAmt, &fnTotalEmplrContribAmt,
                                            &fnTotalVolContribAmt,  &fnTotalCntrctPayAmt,
                                            &fnTotalReceivables};

// The widest text a field of Width characters holds: one word of W's.
std::string Widest(size_t Width) { return std::string(Width, 'W'); }

// A thousand members, so line numbers reach four digits, in three shapes that
// follow one another: every field full of W's (words too wide for any box, set
// smaller), long names and addresses of several words (wrapped), and a clerk's
// usual member with a large regular contribution. Every amount is Amount but
// the usual member's, and so is every total.
void AddWidestMembers(TReportTrans& Data, double Amount) {
  Data.T.Header->SetAsString(fnBatchEmployerName, Widest(30));
  for (int I = 1; I <= 1000; ++I) {
    TRecord* R = Data.Add(std::to_string(899990000 + I), "Member");
    R->SetAsString(fnPhoneAreaCode, "999");
    R->SetAsString(fnPhoneNumber, "9999999");
    R->SetAsString(fnExtension, "99999");
    R->SetAsString(fnMaritalStatusCD, "1");
    R->SetAsString(fnGenderCD, "3");
    R->SetAsString(fnAddressZip, "99999");
    R->SetAsString(fnAddressZip4, "9999");
    R->SetAsString(fnAddressState, "WV");
    for (const std::string* Field : MemberAmounts) R->SetAsFloat(*Field, Amount);
    R->SetAsFloat(fnSalaryEarnableUnitsWorked, Amount > 0 ? 999.99 : -99.99);
    switch (I % 3) {
      case 1:
        R->SetAsString(fnNamePrefix, "4");
        R->SetAsString(fnNameSuffix, "3");
        R->SetAsString(fnLastName, Widest(25));
        R->SetAsString(fnFirstName, Widest(25));
        R->SetAsString(fnMiddleName, "W");
        R->SetAsString(fnAddressLine1, Widest(30));
        R->SetAsString(fnAddressLine2, Widest(30));
        R->SetAsString(fnAddressCity, Widest(30));
        R->SetAsString(fnAddressEMail, Widest(30));
        break;
      case 2:
        R->SetAsString(fnNamePrefix, "2");
        R->SetAsString(fnNameSuffix, "9");
        R->SetAsString(fnLastName, "Featherstonehaugh Wolfe Mc");
        R->SetAsString(fnFirstName, "Maximilian Bartholomew Jo");
        R->SetAsString(fnMiddleName, "Wilhelmina");
        R->SetAsString(fnAddressLine1, "12345 West Mountainview Blvd.");
        R->SetAsString(fnAddressLine2, "Building WW Apartment 1234");
        R->SetAsString(fnAddressCity, "West Wappingers Falls Heights");
        R->SetAsString(fnAddressEMail, "maximilian.featherstone@mw.edu");
        break;
      default:
        R->SetAsString(fnLastName, "Richardson");
        R->SetAsFloat(fnSalaryPensionAmount, 1234567.89);
        R->SetAsFloat(fnSalaryEarnableUnitsWorked, 100);
        R->SetAsFloat(fnContribEmployeePreTax, 86419.75);
        R->SetAsFloat(fnContribEmployerPreTax, 125000);
        break;
    }
  }
  for (const std::string* Field : TrailerTotals) Data.T.Trailer->SetAsFloat(*Field, Amount);
}

// The first text drawn that is Text; null when there is none.
const TRecordedText* Drawn(const std::vector<TRecordedText>& Texts, const QString& Text) {
  for (const TRecordedText& T : Texts)
    if (T.Text == Text) return &T;
  return nullptr;
}

}  // namespace

class TestReportSpacing : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void TextsKeepABlankApartAtTheirWidest_data() {
    QTest::addColumn<bool>("Member");
    QTest::addColumn<double>("Amount");
    QTest::newRow("member report") << true << Largest;
    QTest::newRow("transaction report, largest amounts") << false << Largest;
    QTest::newRow("transaction report, smallest amounts") << false << Smallest;
  }
  void TextsKeepABlankApartAtTheirWidest() {
    QFETCH(bool, Member);
    QFETCH(double, Amount);
    TReportTrans Data;
    AddWidestMembers(Data, Amount);
    TfrmReportMember MemberReport(nullptr);
    TfrmReportTrans TransReport(nullptr);
    TReport* Report = Member ? MemberReport.qrMembers : TransReport.qrTrans;
    QVERIFY(Report->Prepare());
    const TReportLayout& L = Report->Layout();
    QCOMPARE(TextsOf(L, TReportBandType::Detail, "qrlN").back(), std::string("1000."));
    const std::string Crowded = CrowdedTexts(L);
    QVERIFY2(Crowded.empty(), Crowded.substr(0, 2000).c_str());
  }

  // A last name of 25 letters beside a pensionable pay of eight figures: the
  // layout sets both smaller and keeps a blank between them, and the page
  // shows that blank as drawn on the screen, at the preview's Page Width zoom,
  // as on paper.
  void ANameKeepsABlankFromTheAmountBesideIt_data() {
    QTest::addColumn<int>("Dpi");
    QTest::addColumn<int>("PreviewWidth");  // the preview window's; 0 for paper
    QTest::newRow("screen, preview 800 wide") << 96 << 800;
    QTest::newRow("screen, preview 1000 wide") << 96 << 1000;
    QTest::newRow("screen, preview 1200 wide") << 96 << 1200;
    QTest::newRow("paper, 1200 per inch") << 1200 << 0;
  }
  void ANameKeepsABlankFromTheAmountBesideIt() {
    QFETCH(int, Dpi);
    QFETCH(int, PreviewWidth);
    TReportTrans Data;
    TRecord* R = Data.Add("123456789", "WOLFESCHLEGELSTEINHAUSENB", "John");
    R->SetAsFloat(fnSalaryPensionAmount, 21000000);
    Data.Totals();
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    double Scale = Dpi / 96.0;
    if (PreviewWidth > 0) {
      TReportPreview Preview(*Report.qrTrans);
      Preview.resize(PreviewWidth, PreviewWidth * 3 / 4);
      Preview.show();
      QCOMPARE(Preview.Zoom(), TReportPreview::TZoom::PageWidth);
      Scale = Preview.Scale();
    }
    TTextRecordingDevice Page(int(L.Page.Width * Scale), int(L.Page.Height * Scale), Dpi);
    QPainter Painter(&Page);
    PaintReportPage(Painter, L, 0, Scale);
    Painter.end();

    const TRecordedText* Name = Drawn(Page.Texts(), "WOLFESCHLEGELSTEINHAUSENB,");
    const TRecordedText* Amount = Drawn(Page.Texts(), "$21000000.00");
    QVERIFY(Name != nullptr);
    QVERIFY(Amount != nullptr);
    QVERIFY(std::abs(Name->Reach.center().y() - Amount->Reach.center().y()) < 4 * Scale);
    // The blank the layout keeps: the wider of the two labels' fonts, at their size.
    const TLaidBand Detail = BandsOf(L, TReportBandType::Detail).at(0);
    double Blank = 0;
    for (const char* Label : {"qrlName", "qrlPensionable"}) {
      const TLaidItem Item = ItemNamed(L, Detail, Label);
      const auto& Font = static_cast<const TReportLabel&>(*Item.Item).Font;
      Blank = std::max(Blank, TReportMetrics::Of(Font).Advance(' '));
    }
    const double Gap = (Amount->Reach.left() - Name->Reach.right()) / Scale;
    QVERIFY2(Gap >= Blank - 0.01,
             qPrintable(QString("%1 units apart at %2 pixels to a unit, a blank is %3")
                            .arg(Gap)
                            .arg(Scale)
                            .arg(Blank)));
  }

  // A wide total beside another: each still ends on its column's edge,
  // and the one that gives way is set smaller, not moved.
  void TotalsStayUnderTheirColumns() {
    TReportTrans Data;
    Data.Add("123456789", "Smith");
    Data.T.Trailer->SetAsFloat(fnTotalEmplContribAmt, 70000);
    Data.T.Trailer->SetAsFloat(fnTotalEmplrContribAmt, 125000);
    TfrmReportTrans Report(nullptr);
    QVERIFY(Report.qrTrans->Prepare());
    const TReportLayout& L = Report.qrTrans->Layout();
    const TLaidBand Summary = BandsOf(L, TReportBandType::Summary).at(0);
    const TLaidBand Detail = BandsOf(L, TReportBandType::Detail).at(0);
    for (const auto& [Total, Column] : {std::pair{"qrlRegTotal", "qrlRegular"},
                                        std::pair{"qrlHeTotal", "qrlHealth"},
                                        std::pair{"qrlVolTotal", "qrlVoluntary"}}) {
      const TPaintedText Painted = PaintedText(ItemNamed(L, Summary, Total));
      const TLaidItem Under = ItemNamed(L, Detail, Column);
      QVERIFY2(std::abs(Painted.Right - (Under.Left + Under.Width)) < 0.01, Total);
    }
    QVERIFY(PaintedText(ItemNamed(L, Summary, "qrlHeTotal")).Scale < 1);
    QCOMPARE(PaintedText(ItemNamed(L, Summary, "qrlRegTotal")).Scale, 1.0);
    const std::string Crowded = CrowdedTexts(L);
    QVERIFY2(Crowded.empty(), Crowded.c_str());
  }
};

QTEST_MAIN(TestReportSpacing)
#include "test_ReportSpacing.moc"

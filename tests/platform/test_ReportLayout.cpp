// The layout of a report run: bands placed on pages, details flowing onto new
// pages, labels that stretch and what they push down, and the run's events.

#include <QApplication>
#include <QtTest>
#include <cmath>

#include "ReportProbe.h"
#include "SmallReport.h"

namespace {

using TBand = TReportBandType;

std::vector<TBand> KindsOn(const TReportLayout& Layout, int32_t Page) {
  std::vector<TBand> Kinds;
  for (const TLaidBand& Band : Layout.Bands(Page)) Kinds.push_back(Band.Band->BandType());
  return Kinds;
}

}  // namespace

class TestReportLayout : public QObject {
  Q_OBJECT

 private slots:
  void DetailsFlowOntoNewPagesUnderTheHeaders() {
    TSmallReport Small(TSmallReport::Numbered(9));
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QCOMPARE(L.PageCount(), 3);
    const std::vector<TBand> Full = {TBand::PageHeader, TBand::ColumnHeader, TBand::Detail,
                                     TBand::Detail,     TBand::Detail,       TBand::Detail,
                                     TBand::PageFooter};
    QCOMPARE(KindsOn(L, 0), Full);
    QCOMPARE(KindsOn(L, 1), Full);
    QCOMPARE(KindsOn(L, 2), (std::vector<TBand>{TBand::PageHeader, TBand::ColumnHeader,
                                                TBand::Detail, TBand::Summary, TBand::PageFooter}));
    for (int32_t Page = 0; Page < 3; ++Page) {
      const auto Bands = L.Bands(Page);
      QCOMPARE(Bands[0].Top, 20);   // the top margin
      QCOMPARE(Bands[1].Top, 50);   // under the page header
      QCOMPARE(Bands[2].Top, 70);   // the first detail under the column header
      QCOMPARE(Bands[3].Top, 115);  // details one after the other
      QCOMPARE(Bands.back().Top, 300 - 20 - 20);  // the footer on the bottom margin
      QCOMPARE(TextOf(L, Bands.back(), "PageNumber"), std::to_string(Page + 1));
    }
    QCOMPARE(TextsOf(L, TBand::Detail, "lblValue").back(), std::string("Row 9"));
    QCOMPARE(TextsOf(L, TBand::Summary, "lblCount"), std::vector<std::string>{"9 rows"});
    QCOMPARE(Small.NeedDataCalls, 10);  // nine rows and the answer that ends them
  }

  void SummaryThatDoesNotFitGoesToANewPage() {
    TSmallReport Small(TSmallReport::Numbered(8));
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QCOMPARE(L.PageCount(), 3);
    QCOMPARE(KindsOn(L, 2), (std::vector<TBand>{TBand::PageHeader, TBand::ColumnHeader,
                                                TBand::Summary, TBand::PageFooter}));
    QCOMPARE(L.Bands(2)[2].Top, 70);
  }

  // A band that ends exactly where the footer's room begins stays on its page;
  // one unit more and it goes to the next. The body runs from 70 to the page's
  // height less 40 (bottom margin and footer); details are 45 high, the summary 25.
  void BandThatFitsExactlyStaysOnItsPage_data() {
    QTest::addColumn<int>("Rows");
    QTest::addColumn<int>("PageHeight");
    QTest::addColumn<int>("DetailsOnFirst");
    QTest::addColumn<int>("Pages");
    QTest::addColumn<int>("SummaryPage");
    QTest::newRow("fifth detail ends on the room's edge") << 5 << 335 << 5 << 2 << 1;
    QTest::newRow("fifth detail one unit over") << 5 << 334 << 4 << 2 << 1;
    QTest::newRow("summary ends on the room's edge") << 4 << 315 << 4 << 1 << 0;
    QTest::newRow("summary one unit over") << 4 << 314 << 4 << 2 << 1;
  }
  void BandThatFitsExactlyStaysOnItsPage() {
    QFETCH(int, Rows);
    QFETCH(int, PageHeight);
    QFETCH(int, DetailsOnFirst);
    QFETCH(int, Pages);
    QFETCH(int, SummaryPage);
    TSmallReport Small(TSmallReport::Numbered(Rows));
    Small.Report.Page.Height = PageHeight;
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QCOMPARE(L.PageCount(), Pages);
    QCOMPARE(BandsOf(L, TBand::Detail, 0).size(), size_t(DetailsOnFirst));
    QCOMPARE(BandsOf(L, TBand::Summary, SummaryPage).size(), size_t(1));
    // Nothing of the body reaches into the footer's room.
    for (int32_t Page = 0; Page < Pages; ++Page)
      for (const TLaidBand& Band : L.Bands(Page))
        if (Band.Band->BandType() != TBand::PageFooter)
          QVERIFY(Band.Top + Band.Height <= PageHeight - 40);
  }

  void HeaderOnTheFirstAndFooterOnTheLastPage_data() {
    QTest::addColumn<bool>("FirstHeader");
    QTest::addColumn<bool>("LastFooter");
    QTest::newRow("both") << true << true;
    QTest::newRow("no header on the first page") << false << true;
    QTest::newRow("no footer on the last page") << true << false;
  }
  void HeaderOnTheFirstAndFooterOnTheLastPage() {
    QFETCH(bool, FirstHeader);
    QFETCH(bool, LastFooter);
    TSmallReport Small(TSmallReport::Numbered(5));
    Small.Report.PageHeaderOnFirstPage = FirstHeader;
    Small.Report.PageFooterOnLastPage = LastFooter;
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QCOMPARE(L.PageCount(), 2);
    QCOMPARE(KindsOn(L, 0).front(), FirstHeader ? TBand::PageHeader : TBand::ColumnHeader);
    QCOMPARE(L.Bands(0).front().Top, 20);
    QCOMPARE(KindsOn(L, 1).front(), TBand::PageHeader);
    QCOMPARE(KindsOn(L, 0).back(), TBand::PageFooter);
    QCOMPARE(KindsOn(L, 1).back(), LastFooter ? TBand::PageFooter : TBand::Summary);
  }

  void BeforePrintCanCancelTheRun() {
    TSmallReport Small(TSmallReport::Numbered(3));
    QVERIFY(Small.Report.Prepare());
    Small.Cancel = true;
    QVERIFY(!Small.Report.Prepare());
    QCOMPARE(Small.Report.Layout().PageCount(), 0);
    QCOMPARE(Small.NeedDataCalls, 4);  // only the first run asked for data
  }

  void EveryRunLaysOutAfresh() {
    TSmallReport Small(TSmallReport::Numbered(6));
    QVERIFY(Small.Report.Prepare());
    Small.Rows.resize(2);
    QVERIFY(Small.Report.Prepare());
    QCOMPARE(Small.Report.Layout().PageCount(), 1);
    QCOMPARE(TextsOf(Small.Report.Layout(), TBand::Detail, "lblValue"),
             (std::vector<std::string>{"Row 1", "Row 2"}));
  }

  // A wrapping value grows its band: the amount on the same line stays, the
  // line below and the rule move down by the growth, the next band follows.
  void StretchedLabelPushesWhatLiesBelowDown() {
    TSmallReport Small({{"one two three four five six seven eight nine ten eleven", "$1.00"},
                        {"Row 2", "$2.00"}});
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    const auto Details = BandsOf(L, TBand::Detail);
    const TLaidItem Value = ItemNamed(L, Details[0], "lblValue");
    TReportTextSetting Setting;
    SetReportText(Small.Value->Font, Value.Text, 150, true, Setting);
    QVERIFY(Setting.Lines.size() >= 3);
    const double Spacing = TReportMetrics::Of(Small.Value->Font).LineSpacing();
    QCOMPARE(Value.Height,
             int32_t(std::ceil(Setting.Lines.size() * Spacing + (17 - Spacing) - 1e-9)));
    const int32_t Growth = Value.Height - 17;
    QCOMPARE(Details[0].Height, 45 + Growth);
    QCOMPARE(ItemNamed(L, Details[0], "lblAmount").Top, Details[0].Top + 2);
    QCOMPARE(ItemNamed(L, Details[0], "lblBelow").Top, Details[0].Top + 22 + Growth);
    QCOMPARE(ItemNamed(L, Details[0], "Rule").Top, Details[0].Top + 40 + Growth);
    QCOMPARE(Details[1].Top, Details[0].Top + Details[0].Height);
    QCOMPARE(Details[1].Height, 45);
  }

  // Two texts on one line keep a blank's width apart however long they are:
  // the one that grows towards the other is set in a narrower room (wrapping
  // sooner or set smaller); facing each other, the left one gives way. Texts
  // far apart, beside an empty label or on another line keep their boxes.
  void NeighbouringTextsKeepABlankApart_data() {
    QTest::addColumn<int>("LeftA");
    QTest::addColumn<int>("WidthA");
    QTest::addColumn<int>("AlignA");
    QTest::addColumn<QString>("TextA");
    QTest::addColumn<int>("LeftB");
    QTest::addColumn<int>("WidthB");
    QTest::addColumn<int>("AlignB");
    QTest::addColumn<QString>("TextB");
    QTest::addColumn<QString>("Narrowed");  // the labels set in a room narrower than their box
    const int L = int(TReportAlignment::Left);
    const int R = int(TReportAlignment::Right);
    const int C = int(TReportAlignment::Center);
    const QString Big = "$21474836.47";
    const QString Long = "Richardson-Featherstonehaugh, Christopher-Alexander W.";
    QTest::newRow("amount after an amount") << 132 << 68 << R << Big << 200 << 68 << R << Big
                                            << "B";
    QTest::newRow("amount after a full amount") << 136 << 64 << R << "$86419.75" << 200 << 64 << R
                                                << "$86419.75" << "B";
    QTest::newRow("name before a name") << 0 << 150 << L << Long << 150 << 150 << L << "Smith"
                                        << "A";
    QTest::newRow("name facing an amount") << 0 << 150 << L << Long << 150 << 90 << R
                                           << "$-21474836.48" << "A";
    QTest::newRow("centred text before a name") << 0 << 150 << C << Long << 150 << 100 << L
                                                << "Smith" << "A";
    QTest::newRow("far apart") << 0 << 100 << L << "Row 1" << 200 << 100 << R << "$1.00" << "";
    QTest::newRow("empty neighbour") << 0 << 150 << L << Long << 150 << 90 << R << "" << "";
    QTest::newRow("amount after a short name") << 132 << 68 << L << "Pat" << 200 << 68 << R << Big
                                               << "";
  }
  void NeighbouringTextsKeepABlankApart() {
    QFETCH(int, LeftA);
    QFETCH(int, WidthA);
    QFETCH(int, AlignA);
    QFETCH(QString, TextA);
    QFETCH(int, LeftB);
    QFETCH(int, WidthB);
    QFETCH(int, AlignB);
    QFETCH(QString, TextB);
    QFETCH(QString, Narrowed);
    TSmallReport Small({{TextA.toStdString(), TextB.toStdString()}});
    const auto Place = [](TReportLabel* Label, int Left, int Width, int Align) {
      Label->Left = Left;
      Label->Width = Width;
      Label->Alignment = TReportAlignment(Align);
    };
    Place(Small.Value, LeftA, WidthA, AlignA);
    Place(Small.Amount, LeftB, WidthB, AlignB);
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    const std::string Crowded = CrowdedTexts(L);
    QVERIFY2(Crowded.empty(), Crowded.c_str());
    const TLaidBand Detail = BandsOf(L, TBand::Detail).at(0);
    const TLaidItem A = ItemNamed(L, Detail, "lblValue");
    const TLaidItem B = ItemNamed(L, Detail, "lblAmount");
    QCOMPARE(A.TextWidth < A.Width, Narrowed.contains('A'));
    QCOMPARE(B.TextWidth < B.Width, Narrowed.contains('B'));
    // The anchored edge stays: amounts still end on their column's edge.
    if (AlignB == int(TReportAlignment::Right))
      QCOMPARE(B.TextLeft + B.TextWidth, B.Left + B.Width);
    if (AlignA == int(TReportAlignment::Left)) QCOMPARE(A.TextLeft, A.Left);
    // The text below the long one is on another line and keeps its box.
    const TLaidItem Below = ItemNamed(L, Detail, "lblBelow");
    QCOMPARE(Below.TextWidth, Below.Width);
  }

  // The room chosen by the layout is the one the page shows: a name that gives
  // way wraps sooner, and its band grows for the extra line.
  void NameGivingWayWrapsAndGrowsItsBand() {
    const std::string Name = "Featherstonehaugh, Christopher W.";
    TSmallReport Small({{Name, "$1.00"}, {Name, "$-21474836.48"}});
    // Just wide enough for the name, with the amount's column right after it.
    Small.Value->Width = int32_t(std::ceil(TReportMetrics::Of(Small.Value->Font).Width(Name)));
    Small.Amount->Left = Small.Value->Width;
    Small.Amount->Width = 90;
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    const auto Details = BandsOf(L, TBand::Detail);
    TReportTextSetting Alone, Beside;
    SetLaidText(ItemNamed(L, Details[0], "lblValue"), Alone);
    SetLaidText(ItemNamed(L, Details[1], "lblValue"), Beside);
    QCOMPARE(Alone.Lines.size(), size_t(1));
    QCOMPARE(Beside.Lines.size(), size_t(2));
    QVERIFY(Details[1].Height > Details[0].Height);
    QVERIFY(CrowdedTexts(L).empty());
  }

  // A band taller than a whole page cannot fit anywhere: it takes a page of its
  // own and the run goes on instead of starting page after page.
  void BandTallerThanAPageTakesAPageOfItsOwn() {
    std::string Long;
    for (int I = 0; I < 100; ++I) Long += "word ";
    TSmallReport Small({{"Row 1", ""}, {Long, ""}, {"Row 3", ""}});
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QCOMPARE(L.PageCount(), 3);
    QCOMPARE(BandsOf(L, TBand::Detail, 1).size(), size_t(1));
    QCOMPARE(BandsOf(L, TBand::Detail, 1)[0].Top, 70);
    QVERIFY(BandsOf(L, TBand::Detail, 1)[0].Height > 190);
    QCOMPARE(TextsOf(L, TBand::Detail, "lblValue").back(), std::string("Row 3"));
  }

  void LabelsSizedToTheirTextAndCentredAcrossTheBand() {
    TSmallReport Small(TSmallReport::Numbered(1));
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    const TLaidItem Title = ItemNamed(L, BandsOf(L, TBand::PageHeader)[0], "lblTitle");
    const double Width = TReportMetrics::Of(Small.Title->Font).Width("Small Report");
    QCOMPARE(Title.Width, int32_t(std::ceil(Width)));
    QCOMPARE(Title.Left, 40 + (340 - Title.Width) / 2);
    const TLaidItem Count = ItemNamed(L, BandsOf(L, TBand::Summary)[0], "lblCount");
    QCOMPARE(Count.Left, 40);
    QCOMPARE(Count.Width,
             int32_t(std::ceil(TReportMetrics::Of(Small.Count->Font).Width("1 rows"))));
  }
};

QTEST_MAIN(TestReportLayout)
#include "test_ReportLayout.moc"

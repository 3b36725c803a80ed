// The widest amounts a file can hold, drawn by the two grids that show a
// member's amounts: the Member Contributions grid of the preparation form and
// the amounts grid of the member detail form. Each is drawn whole, inside its
// cell (in a smaller face where the column is too narrow), never cut on its
// left into another number.

#include "DetailFormFixture.h"
#include "Scaling.h"
#include "TextRecorder.h"

namespace {

// The ends of what a file stores: signed 32-bit counts of hundredths; the FTE%
// field holds five characters.
constexpr double Largest = 21474836.47;
constexpr double Smallest = -21474836.48;

// Two members whose amounts reach both ends of every column between them, in
// the order of the grids (Pensionable, Earnable, FTE%, Regular, Health,
// Voluntary, Contracts), while every total stays within what a file holds.
const double Widest[2][7] = {
    {Largest, Largest, 999.99, Largest, Smallest, Largest, Smallest},
    {Smallest, Smallest, -99.99, Smallest, Largest, Smallest, Largest},
};
constexpr size_t FTE = 2;

TTestMember WidestMember(int Which) {
  TTestMember M = Member(Which == 0 ? "111111111" : "222222222", Which == 0 ? "Adams" : "Baker");
  double* Fields[] = {&M.Pensionable, &M.Earnable,  &M.FTE,      &M.Regular,
                      &M.Health,      &M.Voluntary, &M.Contracts};
  for (size_t I = 0; I < std::size(Fields); ++I) *Fields[I] = Widest[Which][I];
  return M;
}

// What a cell shows for an amount: "$" and two decimals; the FTE% without "$"
// (and with "%" where Percent).
QString Shown(int Which, size_t Amount, bool Percent) {
  const QString Number = QString::number(Widest[Which][Amount], 'f', 2);
  if (Amount != FTE) return "$" + Number;
  return Percent ? Number + "%" : Number;
}

// The last text drawn in the cell's row that ends inside the cell: the amount
// the column's look draws over the grid's own drawing of the cell text, which
// comes first. (The recording keeps no clipping: a text that a neighbouring
// cell started left of its edge reaches into this one, but ends in its own.)
const TRecordedText* LastTextIn(const std::vector<TRecordedText>& Texts, const TRect& Cell) {
  const TRecordedText* Last = nullptr;
  for (const TRecordedText& T : Texts) {
    const double Middle = T.Reach.center().y();
    if (Middle >= Cell.Top && Middle < Cell.Bottom && T.Reach.right() > Cell.Left &&
        T.Reach.right() <= Cell.Right + 1)
      Last = &T;
  }
  return Last;
}

// Empty when the text drawn in the cell is Expected, lies whole inside the cell
// (give or take the fraction of a pixel that the whole-pixel measure of its
// width leaves out) and is set no smaller than the smallest legible face;
// otherwise what is wrong.
QString WholeInside(const std::vector<TRecordedText>& Texts, const TRect& Cell,
                    const QString& Expected) {
  const TRecordedText* T = LastTextIn(Texts, Cell);
  if (T == nullptr) return "nothing drawn for " + Expected;
  if (T->Text != Expected) return "\"" + T->Text + "\" drawn for " + Expected;
  if (T->Reach.left() < Cell.Left || T->Reach.right() > Cell.Right + 1)
    return QStringLiteral("%1 reaches %2..%3 in a cell of %4..%5")
        .arg(Expected)
        .arg(T->Reach.left())
        .arg(T->Reach.right())
        .arg(Cell.Left)
        .arg(Cell.Right);
  if (T->Font.pixelSize() > 0 && T->Font.pixelSize() < MinTextPixels)
    return Expected + " set below the smallest legible face";
  return QString();
}

// Everything the grid paints in its cells, recorded at the screen's resolution.
std::vector<TRecordedText> Paint(TStringGrid* Grid) {
  QWidget* View = Grid->viewport();
  TTextRecordingDevice Device(View->width(), View->height(), View->logicalDpiX());
  View->render(&Device);
  return Device.Texts();
}

}  // namespace

class TestWideAmounts : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() {
    ScreenDPI = 96;
    Env.reset();
  }

  void AtTwoResolutions_data() {
    QTest::addColumn<int>("DPI");
    QTest::newRow("96 per inch") << 96;
    QTest::newRow("120 per inch") << 120;
  }

  // Every amount column of the Member Contributions grid, its widest amounts
  // drawn whole inside their cells.
  void ContributionsGridDrawsTheWidestAmountsWhole_data() { AtTwoResolutions_data(); }
  void ContributionsGridDrawsTheWidestAmountsWhole() {
    QFETCH(int, DPI);
    TTestFolder Folder;
    Folder.Write("20041000.123", {WidestMember(0), WidestMember(1)});
    TOpenForm Form("123", DPI);
    Form->pgcTrans->RequestPage(2);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsContr);
    TStringGrid* Grid = Form->sgrContr;
    const std::vector<TRecordedText> Texts = Paint(Grid);
    QString Faults;
    for (int Which = 0; Which < 2; ++Which)
      for (size_t Amount = 0; Amount < 7; ++Amount) {
        const int32_t Col = static_cast<int32_t>(Amount) + 2;
        const QString Fault =
            WholeInside(Texts, Grid->CellRect(Col, Which + 1), Shown(Which, Amount, false));
        if (!Fault.isEmpty())
          Faults += QString::fromStdString(Grid->Cells(Col, 0)) + ": " + Fault + "\n";
      }
    QVERIFY2(Faults.isEmpty(), qPrintable(Faults));
    QCOMPARE(Env->Beeps, 0);
  }

  // The same amounts in the member detail form, in its amounts column and in
  // one as narrow as the Pensionable column of the preparation form.
  void DetailFormDrawsTheWidestAmountsWhole_data() {
    QTest::addColumn<int>("DPI");
    QTest::addColumn<int>("Width");  // design pixels; 0 for the form's own
    QTest::newRow("96 per inch") << 96 << 0;
    QTest::newRow("120 per inch") << 120 << 0;
    QTest::newRow("96 per inch, narrow column") << 96 << 64;
    QTest::newRow("120 per inch, narrow column") << 120 << 64;
  }
  void DetailFormDrawsTheWidestAmountsWhole() {
    QFETCH(int, DPI);
    QFETCH(int, Width);
    TTestFolder Folder;
    Folder.Write("20041000.123", {WidestMember(0), WidestMember(1)});
    TOpenForm Form("123", DPI);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      if (Width > 0) D->stgAmt->SetColWidths(1, ScaleForScreen(Width));
      QString Faults;
      for (int Which = 0; Which < 2; ++Which) {
        if (Which == 1) D->bbnNext->click();
        const std::vector<TRecordedText> Texts = Paint(D->stgAmt);
        for (int32_t Row = 0; Row < 7; ++Row) {
          const QString Fault = WholeInside(Texts, D->stgAmt->CellRect(1, Row),
                                            Shown(Which, static_cast<size_t>(Row), true));
          if (!Fault.isEmpty())
            Faults += QString::fromStdString(D->stgAmt->Cells(0, Row)) + Fault + "\n";
        }
      }
      QVERIFY2(Faults.isEmpty(), qPrintable(Faults));
    });
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestWideAmounts)
#include "test_WideAmounts.moc"

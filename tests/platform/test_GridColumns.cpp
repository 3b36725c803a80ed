// Columns of record fields: what a cell shows for a record, what a typed text
// stores, and how each look draws a cell's text (held against the same text
// drawn by hand, pixel for pixel).

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <memory>

#include "FakeEnv.h"
#include "GridColumns.h"
#include "KSFUnits.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "TextRecorder.h"
#include "TransFixtures.h"

Q_DECLARE_METATYPE(TCellLook)

namespace {

const TRect Cell{0, 0, 90, 21};

// The cell as the look draws it.
QImage Drawn(TCellLook Look, const std::string& Text) {
  QImage Image(Cell.Width(), Cell.Height(), QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  TCanvas Canvas(Painter);
  const TGridColumn Column{"", 90, &fnLastName, TCellText::Text, Look, "", true, true};
  DrawCellText(Canvas, Cell, Column, Text);
  return Image;
}

// The expected text drawn directly: from the left or the right, on the window
// colour or the tooltip colour.
QImage Expected(const std::string& Shown, bool Right, bool Info) {
  QImage Image(Cell.Width(), Cell.Height(), QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  TCanvas Canvas(Painter);
  Canvas.FillRect(Cell);
  if (Info) Canvas.Brush->Color = clInfoBk;
  const int32_t X = Right ? Cell.Right - Canvas.TextWidth(Shown) - 2 : Cell.Left + 2;
  Canvas.TextRect(Cell, X, Cell.Top + 2, Shown);
  return Image;
}

// The text a look draws for Text in a cell Width pixels wide, standing 100
// pixels in, in an 11-pixel face.
TRecordedText DrawnInCell(TCellLook Look, const std::string& Text, int32_t Width, TRect& Rect) {
  Rect = TRect{100, 0, 100 + Width, 21};
  TTextRecordingDevice Device(400, 30, 96);
  QPainter Painter(&Device);
  QFont Font = Painter.font();
  Font.setPixelSize(11);
  Painter.setFont(Font);
  TCanvas Canvas(Painter);
  const TGridColumn Column{"", Width, &fnLastName, TCellText::Text, Look, "", true, true};
  DrawCellText(Canvas, Rect, Column, Text);
  Painter.end();
  return Device.Texts().empty() ? TRecordedText{} : Device.Texts().back();
}

}  // namespace

class TestGridColumns : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void Looks_data() {
    QTest::addColumn<TCellLook>("Look");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<QString>("Shown");
    QTest::addColumn<bool>("Right");
    QTest::addColumn<bool>("Info");
    QTest::newRow("ssn") << TCellLook::SSN << "123456789" << "123-45-6789" << false << true;
    QTest::newRow("empty ssn: two hyphens") << TCellLook::SSN << "" << "--" << false << true;
    QTest::newRow("short ssn: what it has") << TCellLook::SSN << "1234" << "123-4-" << false << true;
    QTest::newRow("phone") << TCellLook::Phone << "5551234" << "555-1234" << false << false;
    QTest::newRow("empty phone: one hyphen") << TCellLook::Phone << "" << "-" << false << false;
    QTest::newRow("typed f") << TCellLook::GenderWord << "f" << "Female" << false << false;
    QTest::newRow("typed male") << TCellLook::GenderWord << "male" << "Male" << false << false;
    QTest::newRow("typed x") << TCellLook::GenderWord << "x" << "Unknown" << false << false;
    QTest::newRow("empty gender") << TCellLook::GenderWord << "" << "" << false << false;
    QTest::newRow("name on tooltip colour") << TCellLook::InfoText << "Adams, Anna" << "Adams, Anna" << false << true;
    QTest::newRow("money") << TCellLook::Money << "12.5" << "$12.50" << true << false;
    QTest::newRow("fte without $") << TCellLook::Amount << "100" << "100.00" << true << false;
    QTest::newRow("percent") << TCellLook::Percent << "99.5" << "99.50%" << true << false;
  }

  void Looks() {
    QFETCH(TCellLook, Look);
    QFETCH(QString, Text);
    QFETCH(QString, Shown);
    QFETCH(bool, Right);
    QFETCH(bool, Info);
    TFakeEnv Env;
    QCOMPARE(Drawn(Look, Text.toStdString()), Expected(Shown.toStdString(), Right, Info));
    QCOMPARE(Env.Beeps, 0);
  }

  // An amount cell that holds no number shows it trimmed, and beeps at each drawing.
  void AnAmountThatIsNoNumberBeepsAtEachDrawing() {
    TFakeEnv Env;
    QCOMPARE(Drawn(TCellLook::Money, " abc "), Expected("$abc", true, false));
    Drawn(TCellLook::Money, "");
    QCOMPARE(Env.Beeps, 2);
  }

  // An amount too wide for its cell is set in a smaller face, whole, as far in
  // from the cell's left edge as from its right; one that not even the smallest
  // face shows whole is marked as cut on its left, never drawn as a shorter
  // number.
  void AnAmountTooWideForItsCell_data() {
    QTest::addColumn<TCellLook>("Look");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<int>("Width");
    QTest::addColumn<QString>("Shown");
    QTest::addColumn<bool>("Whole");
    QTest::newRow("fits: as it is") << TCellLook::Money << "1000" << 90 << "$1000.00" << true;
    QTest::newRow("money") << TCellLook::Money << "10000000" << 60 << "$10000000.00" << true;
    QTest::newRow("largest money") << TCellLook::Money << "21474836.47" << 51 << "$21474836.47" << true;
    QTest::newRow("smallest money") << TCellLook::Money << "-21474836.48" << 51 << "$-21474836.48" << true;
    QTest::newRow("fte") << TCellLook::Amount << "999.99" << 30 << "999.99" << true;
    QTest::newRow("percent") << TCellLook::Percent << "-99.99" << 30 << "-99.99%" << true;
    QTest::newRow("below the smallest face") << TCellLook::Money << "-21474836.48" << 30 << "$-21474836.48" << false;
  }

  void AnAmountTooWideForItsCell() {
    QFETCH(TCellLook, Look);
    QFETCH(QString, Text);
    QFETCH(int, Width);
    QFETCH(QString, Shown);
    QFETCH(bool, Whole);
    TFakeEnv Env;
    TRect Cell;
    const TRecordedText Drawn = DrawnInCell(Look, Text.toStdString(), Width, Cell);
    QVERIFY(Drawn.Font.pixelSize() >= MinTextPixels);
    // Its right end 2 pixels in from the cell's right edge (give or take the
    // fraction that whole-pixel measures leave out), its left end at least as far in.
    QVERIFY2(Drawn.Reach.right() > Cell.Right - 3 && Drawn.Reach.right() <= Cell.Right - 1,
             qPrintable(QString("ends at %1").arg(Drawn.Reach.right())));
    QVERIFY2(Drawn.Reach.left() >= Cell.Left + 2,
             qPrintable(QString("starts at %1").arg(Drawn.Reach.left())));
    if (Whole) {
      QCOMPARE(Drawn.Text, Shown);
      // In a smaller or narrower face exactly where the cell's own is too wide.
      const int Stretch = Drawn.Font.stretch();
      const bool Fitted = Drawn.Font.pixelSize() < 11 || (Stretch != 0 && Stretch < 100);
      QCOMPARE(Fitted, Width < 90);
    } else {
      QVERIFY2(Drawn.Text.startsWith(QChar(0x2026)) && Drawn.Text.size() > 1 &&
                   Shown.endsWith(Drawn.Text.mid(1)),
               qPrintable(Drawn.Text));
      QCOMPARE(Drawn.Font.pixelSize(), int(MinTextPixels));
    }
    QCOMPARE(Env.Beeps, 0);
  }

  // A gender cell shows the word of the code and stores the code of the word
  // typed over it; anything but F or M (and nothing) stores 3.
  void GenderWordsAndCodes_data() {
    QTest::addColumn<QString>("Code");
    QTest::addColumn<QString>("Word");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Stored");
    QTest::newRow("male") << "1" << "Male" << "m" << "1";
    QTest::newRow("female") << "2" << "Female" << " female " << "2";
    QTest::newRow("code 4") << "4" << "Unknown" << "x" << "3";
    QTest::newRow("blank code") << " " << "Unknown" << "" << "3";
  }

  void GenderWordsAndCodes() {
    QFETCH(QString, Code);
    QFETCH(QString, Word);
    QFETCH(QString, Typed);
    QFETCH(QString, Stored);
    TTransShort T;
    TRecord* R = AddMember(T, "123456789", "Adams");
    R->SetAsString(fnGenderCD, Code.toStdString());
    const TGridColumn Gender{"Gender", 60, &fnGenderCD, TCellText::GenderWord, TCellLook::GenderWord, "", true, true};
    QCOMPARE(QString::fromStdString(CellText(*R, Gender)), Word);
    StoreCellText(*R, Gender, Typed.toStdString());
    QCOMPARE(QString::fromStdString(R->GetAsString(fnGenderCD)), Stored);
  }
};

QTEST_MAIN(TestGridColumns)
#include "test_GridColumns.moc"

// Key codes as the handlers see them: the key, not the character it types, so
// that a rule written for "the digit keys" or "every key" holds for shifted
// digits and punctuation too, while the numeric pad keeps codes of its own.
// And Alt chords, which are accelerators and never reach a box as text.

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "FakeEnv.h"
#include "Keys.h"
#include "MaskEdit.h"
#include "StringGrid.h"

namespace {

// A window with a box of every kind, an enabled button "&Open" and a disabled "&Save".
struct TChordWindow {
  QWidget Window;
  QLineEdit* Edit = new QLineEdit("SMITH", &Window);
  TMaskEdit* Masked = new TMaskEdit(&Window);
  QComboBox* Editable = new QComboBox(&Window);
  QComboBox* List = new QComboBox(&Window);
  TStringGrid* Grid = new TStringGrid(&Window);
  QPushButton* Open = new QPushButton("&Open", &Window);
  QPushButton* Save = new QPushButton("&Save", &Window);
  int Opened = 0;
  int Saved = 0;
  std::vector<std::string> GridKeys;
  TChordWindow() {
    auto* Layout = new QVBoxLayout(&Window);
    for (QWidget* W : std::initializer_list<QWidget*>{Edit, Masked, Editable, List, Grid, Open, Save})
      Layout->addWidget(W);
    Masked->SetEditMask("99999;0;_");
    Masked->SetText("123");
    Editable->setEditable(true);
    Editable->setEditText("123");
    List->addItems({"Apple", "Quince", "Sage"});
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    Grid->SetOptions(goVertLine | goHorzLine | goEditing);
    Grid->SetCells(1, 1, "70.00");
    Grid->OnKeyDown = [this](uint16_t& Key, TShiftState Shift) {
      GridKeys.push_back("down " + std::to_string(Key) + " " + std::to_string(Shift));
    };
    Grid->OnKeyPress = [this](char& Key) { GridKeys.push_back(std::string("press ") + Key); };
    Save->setEnabled(false);
    QObject::connect(Open, &QPushButton::clicked, [this] { ++Opened; });
    QObject::connect(Save, &QPushButton::clicked, [this] { ++Saved; });
    Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
  }
  // What the named box holds, and the box to press the chord in.
  QWidget* Box(const QString& Name) {
    if (Name == "edit") return Edit;
    if (Name == "masked") return Masked;
    if (Name == "editable list") return Editable;
    if (Name == "list") return List;
    if (Name == "grid") return Grid;
    Grid->setFocus();
    Grid->SetEditorMode(true);
    return Grid->InplaceEditor();
  }
  QString Shown(const QString& Name) {
    if (Name == "edit") return Edit->text();
    if (Name == "masked") return QString::fromStdString(Masked->Text());
    if (Name == "editable list") return Editable->currentText();
    if (Name == "list") return List->currentText();
    if (Grid->InplaceEditor() != nullptr) return Grid->InplaceEditor()->text();
    return QString::fromStdString(Grid->Cells(1, 1));
  }
};

}  // namespace

class TestKeys : public QObject {
  Q_OBJECT
 private slots:
  void KeyCodes_data() {
    QTest::addColumn<int>("Key");
    QTest::addColumn<int>("Modifiers");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<int>("Code");
    const int None = Qt::NoModifier, Shift = Qt::ShiftModifier, Pad = Qt::KeypadModifier;
    QTest::newRow("digit") << int(Qt::Key_4) << None << "4" << 52;
    QTest::newRow("shift+4 is the 4 key") << int(Qt::Key_Dollar) << Shift << "$" << 52;
    QTest::newRow("shift+0 is the 0 key") << int(Qt::Key_ParenRight) << Shift << ")" << 48;
    QTest::newRow("shift+9 is the 9 key") << int(Qt::Key_ParenLeft) << Shift << "(" << 57;
    QTest::newRow("letter") << int(Qt::Key_A) << None << "a" << 65;
    QTest::newRow("shift+letter") << int(Qt::Key_A) << Shift << "A" << 65;
    QTest::newRow("ctrl+letter") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << 86;
    QTest::newRow("pad digit") << int(Qt::Key_5) << Pad << "5" << 101;
    QTest::newRow("pad star is no 8") << int(Qt::Key_Asterisk) << Pad << "*" << 106;
    QTest::newRow("pad point") << int(Qt::Key_Period) << Pad << "." << 110;
    QTest::newRow("pad minus") << int(Qt::Key_Minus) << Pad << "-" << 109;
    QTest::newRow("point") << int(Qt::Key_Period) << None << "." << 190;
    QTest::newRow("shift+point") << int(Qt::Key_Greater) << Shift << ">" << 190;
    QTest::newRow("minus") << int(Qt::Key_Minus) << None << "-" << 189;
    QTest::newRow("comma") << int(Qt::Key_Comma) << None << "," << 188;
    QTest::newRow("slash") << int(Qt::Key_Slash) << None << "/" << 191;
    QTest::newRow("quote") << int(Qt::Key_Apostrophe) << None << "'" << 222;
    QTest::newRow("backslash") << int(Qt::Key_Backslash) << None << "\\" << 220;
    QTest::newRow("space") << int(Qt::Key_Space) << None << " " << 32;
    QTest::newRow("delete") << int(Qt::Key_Delete) << None << "" << 46;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << None << "\b" << 8;
    QTest::newRow("shift+tab") << int(Qt::Key_Backtab) << Shift << "" << 9;
    QTest::newRow("caps lock") << int(Qt::Key_CapsLock) << None << "" << 20;
  }
  void KeyCodes() {
    QFETCH(int, Key);
    QFETCH(int, Modifiers);
    QFETCH(QString, Text);
    QFETCH(int, Code);
    const QKeyEvent Event(QEvent::KeyPress, Key, Qt::KeyboardModifiers(Modifiers), Text);
    QCOMPARE(int(KeyCodeOf(Event)), Code);
  }

  void ShiftStates() {
    const QKeyEvent Backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ControlModifier);
    QCOMPARE(int(ShiftStateOf(Backtab)), int(ssShift | ssCtrl));
    const QKeyEvent AltX(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, "x");
    QCOMPARE(int(ShiftStateOf(AltX)), int(ssAlt));
  }

  // An Alt chord that names no enabled control types nothing into any kind of
  // box: not the letter of a disabled button, not a digit into a digit box,
  // not a character that no accelerator has.
  void AltChordsTypeNothing_data() {
    QTest::addColumn<QString>("Box");
    QTest::addColumn<int>("Key");
    QTest::addColumn<int>("Modifiers");
    const int Alt = Qt::AltModifier;
    const int AltShift = Qt::AltModifier | Qt::ShiftModifier;
    QTest::newRow("edit, disabled Save") << "edit" << int(Qt::Key_S) << Alt;
    QTest::newRow("edit, no accelerator") << "edit" << int(Qt::Key_Q) << Alt;
    QTest::newRow("edit, Alt+>") << "edit" << int(Qt::Key_Greater) << AltShift;
    QTest::newRow("masked box, a digit") << "masked" << int(Qt::Key_5) << Alt;
    QTest::newRow("editable list") << "editable list" << int(Qt::Key_Q) << Alt;
    QTest::newRow("drop-down list") << "list" << int(Qt::Key_Q) << Alt;
    QTest::newRow("grid") << "grid" << int(Qt::Key_4) << Alt;
    QTest::newRow("grid's cell editor") << "cell editor" << int(Qt::Key_4) << Alt;
  }
  void AltChordsTypeNothing() {
    QFETCH(QString, Box);
    QFETCH(int, Key);
    QFETCH(int, Modifiers);
    TFakeEnv Fake;
    TChordWindow W;
    QWidget* Target = W.Box(Box);
    QVERIFY(Target != nullptr);
    Target->setFocus();
    QTRY_VERIFY(Target->hasFocus());
    const QString Before = W.Shown(Box);
    QTest::keyClick(Target, Qt::Key(Key), Qt::KeyboardModifiers(Modifiers));
    QCoreApplication::processEvents();
    QCOMPARE(W.Shown(Box), Before);
    QCOMPARE(W.Saved, 0);
    QCOMPARE(W.Opened, 0);
    QVERIFY(Target->hasFocus());
  }

  // The chord still does what it names, and handlers of key presses still see
  // it; Ctrl+Alt (AltGr on many keyboards) still types, and a menu still takes
  // Alt+letter for its item.
  void AltChordsStillAct() {
    TFakeEnv Fake;
    TChordWindow W;
    W.Edit->setFocus();
    QTRY_VERIFY(W.Edit->hasFocus());
    W.Edit->end(false);
    QTest::keyClick(W.Edit, Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(W.Opened, 1);
    QCOMPARE(W.Edit->text(), QString("SMITH"));
    QTest::keyClick(W.Edit, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(W.Edit->text(), QString("SMITHq"));

    W.Grid->setFocus();
    W.GridKeys.clear();
    QTest::keyClick(W.Grid, Qt::Key_Q, Qt::AltModifier);
    // Alt itself, then the chord; no character.
    QCOMPARE(W.GridKeys, (std::vector<std::string>{"down 18 4", "down 81 4"}));

    QMenu Menu;
    int Chosen = 0;
    Menu.addAction("&Quince", [&] { ++Chosen; });
    Menu.popup(W.Window.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(&Menu));
    QTest::keyClick(&Menu, Qt::Key_Q, Qt::AltModifier);
    QTRY_COMPARE(Chosen, 1);
  }
};

QTEST_MAIN(TestKeys)
#include "test_Keys.moc"

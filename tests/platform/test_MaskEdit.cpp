// The edit-mask notation and the masked edit box: the box's Text for both kinds
// of mask, the program's texts put back into the box, typing, and the rule that a
// changed box cannot be left while a required digit is missing.

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "FakeEnv.h"
#include "MaskEdit.h"
#include "QtTestSupport.h"

class TestMaskEdit : public QObject {
  Q_OBJECT
 private slots:
  void TextFromDisplay_data();
  void TextFromDisplay();
  void DisplayFromText_data();
  void DisplayFromText();
  void QtMaskSwapsDigitMeanings();
  void ProgramTextRoundTrips_data();
  void ProgramTextRoundTrips();
  void TextForIsWhatTheBoxMakesOfAValue_data();
  void TextForIsWhatTheBoxMakesOfAValue();
  void TypingGivesMaskedText_data();
  void TypingGivesMaskedText();
  void RefusedCharacterKeepsTheSelectedText();
  void ChangedIncompleteBoxCannotBeLeft();
  void UnchangedOrCompleteBoxCanBeLeft();
  void EscAbandonsChange();
  void KeyboardEntrySelectsTheText_data();
  void KeyboardEntrySelectsTheText();
  void EntryPutsTheCursorWhereTypingStarts_data();
  void EntryPutsTheCursorWhereTypingStarts();
  void ClickPutsTheCursorWhereTypingLands_data();
  void ClickPutsTheCursorWhereTypingLands();
  void ShiftClickBeyondTheDigitsKeepsItsSelection_data();
  void ShiftClickBeyondTheDigitsKeepsItsSelection();
  void OnChangeRunsForProgramAndUser();
};

void TestMaskEdit::TextFromDisplay_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<QString>("Display");
  QTest::addColumn<QString>("Text");
  QTest::newRow("empty date") << "!99/99/0000;1;_" << "__/__/____" << "  /  /    ";
  QTest::newRow("full date") << "!99/99/0000;1;_" << "12/31/2004" << "12/31/2004";
  QTest::newRow("date missing year digits") << "!99/99/0000;1;_" << "01/02/20__" << "01/02/20  ";
  QTest::newRow("full ssn") << "999\\-99\\-9999;0;_" << "123-45-6789" << "123456789";
  QTest::newRow("ssn unfilled end dropped") << "999\\-99\\-9999;0;_" << "123-__-____" << "123";
  QTest::newRow("ssn gap kept as blank") << "999\\-99\\-9999;0;_" << "12_-45-____" << "12 45";
  QTest::newRow("empty ssn") << "999\\-99\\-9999;0;_" << "___-__-____" << "";
  QTest::newRow("grid phone") << "000\\-0000;0;_" << "555-1234" << "5551234";
  QTest::newRow("phone drops unfilled start") << "!999-9999;0;_" << "__5-1234" << "51234";
  QTest::newRow("phone keeps unfilled end as blanks") << "!999-9999;0;_" << "555-12__" << "55512  ";
  QTest::newRow("year") << "0000;1;_" << "2004" << "2004";
  QTest::newRow("short year") << "0000;1;_" << "20__" << "20  ";
  QTest::newRow("zip") << "99999;0;_" << "123__" << "123";
}

void TestMaskEdit::TextFromDisplay() {
  QFETCH(QString, Mask);
  QFETCH(QString, Display);
  QFETCH(QString, Text);
  TEditMask M(Mask.toStdString());
  QCOMPARE(QString::fromStdString(M.TextFromDisplay(Display.toStdString())), Text);
}

void TestMaskEdit::DisplayFromText_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<QString>("Text");
  QTest::addColumn<QString>("Display");
  QTest::newRow("stored date") << "!99/99/0000;1;_" << "12/31/2004" << "12/31/2004";
  QTest::newRow("blank date") << "!99/99/0000;1;_" << "" << "__/__/____";
  QTest::newRow("blank date with slashes") << "!99/99/0000;1;_" << "  /  /    " << "__/__/____";
  QTest::newRow("short fields stay between slashes") << "!99/99/0000;1;_" << "1/2/2004" << "1_/2_/2004";
  QTest::newRow("ssn") << "999\\-99\\-9999;0;_" << "123456789" << "123-45-6789";
  QTest::newRow("short ssn") << "999\\-99\\-9999;0;_" << "123" << "123-__-____";
  QTest::newRow("phone") << "!999-9999;0;_" << "5551234" << "555-1234";
  QTest::newRow("short phone aligns to the end") << "!999-9999;0;_" << "1234" << "___-1234";
  QTest::newRow("letters are no digits") << "99999;0;_" << "12a45" << "12_45";
  QTest::newRow("too long is cut") << "999;0;_" << "12345" << "123";
}

void TestMaskEdit::DisplayFromText() {
  QFETCH(QString, Mask);
  QFETCH(QString, Text);
  QFETCH(QString, Display);
  TEditMask M(Mask.toStdString());
  QCOMPARE(QString::fromStdString(M.DisplayFromText(Text.toStdString())), Display);
}

void TestMaskEdit::QtMaskSwapsDigitMeanings() {
  // Our 0 is required (Qt's 9) and our 9 optional (Qt's 0); Qt's specials are escaped.
  QCOMPARE(TEditMask("!99/99/0000;1;_").QtInputMask(), QString("00/00/9999;_"));
  QCOMPARE(TEditMask("999\\-99\\-9999;0;_").QtInputMask(), QString("000-00-0000;_"));
  QCOMPARE(TEditMask("9A\\0;0;_").QtInputMask(), QString("0\\A\\0;_"));
  QVERIFY(!TEditMask("").IsMasked());
}

void TestMaskEdit::ProgramTextRoundTrips_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<QString>("Text");
  QTest::addColumn<QString>("Shown");
  QTest::newRow("date") << "!99/99/0000;1;_" << "03/15/1961" << "03/15/1961";
  QTest::newRow("empty date") << "!99/99/0000;1;_" << "  /  /    " << "__/__/____";
  QTest::newRow("ssn") << "999\\-99\\-9999;0;_" << "123456789" << "123-45-6789";
  QTest::newRow("part ssn") << "999\\-99\\-9999;0;_" << "1234" << "123-4_-____";
  QTest::newRow("phone") << "!999-9999;0;_" << "5551234" << "555-1234";
  QTest::newRow("area code") << "999;0;_" << "609" << "609";
  QTest::newRow("year") << "0000;1;_" << "2004" << "2004";
}

void TestMaskEdit::ProgramTextRoundTrips() {
  QFETCH(QString, Mask);
  QFETCH(QString, Text);
  QFETCH(QString, Shown);
  TMaskEdit Edit;
  Edit.SetEditMask(Mask.toStdString());
  Edit.SetText(Text.toStdString());
  QCOMPARE(QString::fromStdString(Edit.EditText()), Shown);
  QCOMPARE(QString::fromStdString(Edit.Text()), Text);
  QVERIFY(!Edit.Modified());
}

// What the box would make of a value is what it makes of it once set, also for
// values a file may hold that the box cannot show as they are: the comparison
// that tells a clerk's change from a value left alone rests on it.
void TestMaskEdit::TextForIsWhatTheBoxMakesOfAValue_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<int>("MaxLength");
  QTest::addColumn<QString>("Value");
  const char* Masks[] = {"!99/99/0000;1;_", "99999;0;_", "9999;0;_", "999;0;_",
                         "!999-9999;0;_", "999\\-99\\-9999;0;_", ""};
  const char* Values[] = {"",         "12-4",     "1220A",      "12345678O",  "5-1",
                          "555-123",  "x12",      "1/15/70 ",   "9/1/04  ",   "01151970",
                          "01/15/1970", " 123",   "123456789",  "1234567890", " Smith",
                          "ann@example.org"};
  for (const char* Mask : Masks)
    for (const char* Value : Values)
      QTest::newRow(QString("%1 / \"%2\"").arg(Mask, Value).toLatin1()) << Mask << 5 << Value;
  QTest::newRow("plain box cuts at its length") << "" << 5 << "Wolfeschlegel";
}

void TestMaskEdit::TextForIsWhatTheBoxMakesOfAValue() {
  QFETCH(QString, Mask);
  QFETCH(int, MaxLength);
  QFETCH(QString, Value);
  TMaskEdit Edit;
  Edit.SetEditMask(Mask.toStdString());
  if (Mask.isEmpty()) Edit.SetMaxLength(MaxLength);
  Edit.SetText("12");
  const std::string Shown = Edit.Text();
  const std::string Predicted = Edit.TextFor(Value.toStdString());
  QCOMPARE(Edit.Text(), Shown);
  Edit.SetText(Value.toStdString());
  QCOMPARE(QString::fromStdString(Predicted), QString::fromStdString(Edit.Text()));
}

void TestMaskEdit::TypingGivesMaskedText_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<QString>("Keys");
  QTest::addColumn<QString>("Text");
  QTest::newRow("date") << "!99/99/0000;1;_" << "12312004" << "12/31/2004";
  QTest::newRow("date day only") << "!99/99/0000;1;_" << "1231" << "12/31/    ";
  QTest::newRow("ssn") << "999\\-99\\-9999;0;_" << "123456789" << "123456789";
  QTest::newRow("phone") << "!999-9999;0;_" << "5551234" << "5551234";
  QTest::newRow("letters refused") << "99999;0;_" << "1a2b3" << "123";
}

void TestMaskEdit::TypingGivesMaskedText() {
  QFETCH(QString, Mask);
  QFETCH(QString, Keys);
  QFETCH(QString, Text);
  TFakeEnv Fake;
  QWidget Window;
  auto* Edit = new TMaskEdit(&Window);
  Edit->SetEditMask(Mask.toStdString());
  Window.show();
  Edit->setFocus();
  Edit->setCursorPosition(0);
  QTest::keyClicks(Edit, Keys);
  QCOMPARE(QString::fromStdString(Edit->Text()), Text);
}

// A letter typed over the selected date (as a grid cell editor opens) beeps and
// changes nothing: it must not clear the date it cannot replace.
void TestMaskEdit::RefusedCharacterKeepsTheSelectedText() {
  TFakeEnv Fake;
  QWidget Window;
  auto* Edit = new TMaskEdit(&Window);
  Edit->SetEditMask("!99/99/0000;1;_");
  Edit->SetText("01/15/1970");
  Window.show();
  Edit->setFocus();
  Edit->selectAll();
  QTest::keyClick(Edit, 'f');
  QCOMPARE(Edit->Text(), std::string("01/15/1970"));
  QVERIFY(!Edit->isModified());
  QCOMPARE(Fake.Beeps, 1);
  // A digit still replaces the selection.
  QTest::keyClicks(Edit, "02032004");
  QCOMPARE(Edit->Text(), std::string("02/03/2004"));
}

// A window with a masked year box and a plain box after it.
struct TLeaveFixture {
  QWidget Window;
  TMaskEdit* Year = new TMaskEdit(&Window);
  QLineEdit* Other = new QLineEdit(&Window);
  QPushButton* Button = new QPushButton("&Open", &Window);
  int ButtonClicks = 0;
  TLeaveFixture() {
    auto* Layout = new QVBoxLayout(&Window);
    Layout->addWidget(Year);
    Layout->addWidget(Other);
    Layout->addWidget(Button);
    QObject::connect(Button, &QPushButton::clicked, [this]() { ++ButtonClicks; });
    Year->SetEditMask("0000;1;_");
    Year->SetText("2004");
    Window.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&Window), "window not shown");
    Window.activateWindow();
    Year->setFocus();
    QTRY_VERIFY(Year->hasFocus());
  }
  void EraseLastDigit() {
    Year->setCursorPosition(4);
    QTest::keyClick(Year, Qt::Key_Backspace);
  }
};

void TestMaskEdit::ChangedIncompleteBoxCannotBeLeft() {
  TFakeEnv Fake;
  TLeaveFixture F;
  F.EraseLastDigit();
  QCOMPARE(QString::fromStdString(F.Year->Text()), QString("200 "));

  QTest::keyClick(F.Year, Qt::Key_Tab);
  QVERIFY(F.Year->hasFocus());
  QCOMPARE(Fake.Beeps, 1);
  QCOMPARE(Fake.Boxes.size(), size_t(1));
  QCOMPARE(Fake.Boxes[0].Kind, TMsgKind::ErrorBox);

  QTest::mouseClick(F.Other, Qt::LeftButton);
  QVERIFY(F.Year->hasFocus());
  QCOMPARE(Fake.Boxes.size(), size_t(2));
  // A click on a button does not get through to it either.
  QTest::mouseClick(F.Button, Qt::LeftButton);
  QVERIFY(F.Year->hasFocus());
  QCOMPARE(F.ButtonClicks, 0);
  QCOMPARE(Fake.Boxes.size(), size_t(3));

  // Focus moved by the program is refused as well, once control returns to the loop.
  F.Other->setFocus();
  QTRY_VERIFY(F.Year->hasFocus());
  QCOMPARE(Fake.Boxes.size(), size_t(4));

  // Completing the year lets the user go.
  QTest::keyClick(F.Year, Qt::Key_4);
  QCOMPARE(QString::fromStdString(F.Year->Text()), QString("2004"));
  QTest::keyClick(F.Year, Qt::Key_Tab);
  QVERIFY(F.Other->hasFocus());
  QCOMPARE(Fake.Boxes.size(), size_t(4));
}

void TestMaskEdit::UnchangedOrCompleteBoxCanBeLeft() {
  TFakeEnv Fake;
  TLeaveFixture F;
  // An incomplete text set by the program is no change by the user.
  F.Year->SetText("20");
  QTest::keyClick(F.Year, Qt::Key_Tab);
  QVERIFY(F.Other->hasFocus());
  QVERIFY(Fake.Boxes.empty());
  QCOMPARE(Fake.Beeps, 0);
}

void TestMaskEdit::EscAbandonsChange() {
  TFakeEnv Fake;
  TLeaveFixture F;
  F.EraseLastDigit();
  QTest::keyClick(F.Year, Qt::Key_Escape);
  QCOMPARE(QString::fromStdString(F.Year->Text()), QString("2004"));
  QTest::keyClick(F.Year, Qt::Key_Tab);
  QVERIFY(F.Other->hasFocus());
  QVERIFY(Fake.Boxes.empty());
}

// Entering the box from the keyboard selects its text, so what the user types
// replaces the whole year instead of overwriting its first digits and leaving
// the rest of the old year behind.
void TestMaskEdit::KeyboardEntrySelectsTheText_data() {
  QTest::addColumn<int>("Reason");
  QTest::newRow("Tab") << int(Qt::TabFocusReason);
  QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason);
  QTest::newRow("accelerator") << int(Qt::ShortcutFocusReason);
}

void TestMaskEdit::KeyboardEntrySelectsTheText() {
  QFETCH(int, Reason);
  TFakeEnv Fake;
  TLeaveFixture F;
  F.Other->setFocus();
  QTRY_VERIFY(F.Other->hasFocus());
  F.Year->setFocus(static_cast<Qt::FocusReason>(Reason));
  QTRY_VERIFY(F.Year->hasFocus());
  QCOMPARE(F.Year->selectedText(), QString("2004"));
  QTest::keyClicks(F.Year, "19");
  QCOMPARE(QString::fromStdString(F.Year->Text()), QString("19  "));
  // Half a year typed over the old one is an incomplete entry, not 1904.
  QTest::keyClick(F.Year, Qt::Key_Tab);
  QVERIFY(F.Year->hasFocus());
  QCOMPARE(Fake.Beeps, 1);
}

// However the box gets the focus, short of a click, the keys typed next fill it
// from its first unfilled position, or replace its text when it is full: never
// do they fall after the end of the mask, where Qt leaves the cursor once the
// program has set the text, and vanish.
void TestMaskEdit::EntryPutsTheCursorWhereTypingStarts_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<QString>("Text");   // set by the program before the entry
  QTest::addColumn<QString>("Entry");
  QTest::addColumn<QString>("Keys");
  QTest::addColumn<QString>("Result");
  const QString SSN = "999\\-99\\-9999;0;_";
  const QString Date = "!99/99/0000;1;_";
  QTest::newRow("Tab, empty") << SSN << "" << "tab" << "123456789" << "123456789";
  QTest::newRow("Tab, partly filled") << SSN << "123" << "tab" << "456789" << "123456789";
  QTest::newRow("Shift+Tab, partly filled") << SSN << "12345" << "backtab" << "6789" << "123456789";
  QTest::newRow("accelerator, full") << SSN << "123456789" << "accelerator" << "987654321" << "987654321";
  QTest::newRow("program, empty") << SSN << "" << "program" << "123456789" << "123456789";
  QTest::newRow("program, full") << SSN << "123456789" << "program" << "987654321" << "987654321";
  QTest::newRow("program, date with the month") << Date << "12/  /    " << "program" << "312004" << "12/31/2004";
  QTest::newRow("program clears the focused box") << SSN << "123456789" << "cleared" << "555667777"
                                                 << "555667777";
  QTest::newRow("first showing, empty") << SSN << "" << "showing" << "123456789" << "123456789";
  QTest::newRow("back from a box, full at its end") << SSN << "123456789" << "return at end" << "987654321"
                                                   << "987654321";
  QTest::newRow("back from a box, cursor kept") << SSN << "123456789" << "return at 4" << "0" << "123056789";
  QTest::newRow("back after the program set the text") << SSN << "123" << "return to new text" << "5" << "5";
}

void TestMaskEdit::EntryPutsTheCursorWhereTypingStarts() {
  QFETCH(QString, Mask);
  QFETCH(QString, Text);
  QFETCH(QString, Entry);
  QFETCH(QString, Keys);
  QFETCH(QString, Result);
  TFakeEnv Fake;
  QWidget Window;
  auto* Layout = new QVBoxLayout(&Window);
  auto* Other = new QLineEdit(&Window);
  auto* Box = new TMaskEdit(&Window);
  Layout->addWidget(Other);
  Layout->addWidget(Box);
  Box->SetEditMask(Mask.toStdString());
  Box->SetText(Text.toStdString());
  if (Entry == "showing") {
    // The box is the window's first control when the window comes up.
    Box->setFocus();
    Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    QTRY_VERIFY(Box->hasFocus());
  } else {
    Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    Other->setFocus();
    QTRY_VERIFY(Other->hasFocus());
    if (Entry == "tab") QTest::keyClick(Other, Qt::Key_Tab);
    if (Entry == "backtab") {
      Window.setTabOrder(Box, Other);
      QTest::keyClick(Other, Qt::Key_Backtab, Qt::ShiftModifier);
    }
    if (Entry == "accelerator") Box->setFocus(Qt::ShortcutFocusReason);
    if (Entry == "program" || Entry.startsWith("return")) Box->setFocus();
    if (Entry == "cleared") {
      Box->setFocus();
      QTRY_VERIFY(Box->hasFocus());
      Box->SetText("");
    }
    QTRY_VERIFY(Box->hasFocus());
  }
  if (Entry == "return to new text") {
    // Another window is up while the program fills the box (a record shown
    // anew): coming back, the new text is the box's, not the old cursor.
    Box->setCursorPosition(3);
    QWidget Away;
    Away.show();
    QApplication::setActiveWindow(&Away);
    QVERIFY(QTest::qWaitForWindowActive(&Away));
    Box->SetText("987654321");
    QVERIFY(!Box->hasSelectedText());
    Away.hide();
    QApplication::setActiveWindow(&Window);
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    QTRY_VERIFY(Box->hasFocus());
  } else if (Entry.startsWith("return")) {
    // The user left the cursor somewhere, a box came up and went.
    Box->setCursorPosition(Entry == "return at end" ? Box->displayText().size() : 4);
    ImitateModalWindow();
    QTRY_VERIFY(Box->hasFocus());
  }
  QTest::keyClicks(Box, Keys);
  QCOMPARE(QString::fromStdString(Box->Text()), Result);
}

// A click inside the filled text leaves the cursor where it was clicked, so that
// a digit can be corrected in place; a click beyond the last filled position (on
// the mask's blanks, or past the end of the text in a box wider than it) puts it
// where typing starts, so that digits typed at once fill the box and do not land
// after the click or vanish after the end of the mask.
void TestMaskEdit::ClickPutsTheCursorWhereTypingLands_data() {
  QTest::addColumn<QString>("Mask");
  QTest::addColumn<QString>("Text");   // set by the program before the click
  // "start", "middle" or "end" of the box, a position of its text, or "double middle"
  QTest::addColumn<QString>("Click");
  QTest::addColumn<QString>("Keys");
  QTest::addColumn<QString>("Result");
  const QString SSN = "999\\-99\\-9999;0;_";
  const QString Date = "!99/99/0000;1;_";
  const QString Phone = "000\\-0000;0;_";
  QTest::newRow("empty SSN, middle") << SSN << "" << "middle" << "111223333" << "111223333";
  QTest::newRow("empty SSN, end") << SSN << "" << "end" << "111223333" << "111223333";
  QTest::newRow("empty SSN, start") << SSN << "" << "start" << "111223333" << "111223333";
  QTest::newRow("empty SSN, among its blanks") << SSN << "" << "5" << "111223333" << "111223333";
  QTest::newRow("empty date, middle") << Date << "" << "middle" << "01151970" << "01/15/1970";
  QTest::newRow("empty phone, middle") << Phone << "" << "middle" << "5551234" << "5551234";
  QTest::newRow("partly filled SSN, beyond its text") << SSN << "123" << "middle" << "456789" << "123456789";
  QTest::newRow("partly filled SSN, among its blanks") << SSN << "123" << "8" << "456789" << "123456789";
  QTest::newRow("partly filled date, middle") << Date << "01/15/    " << "middle" << "1970" << "01/15/1970";
  QTest::newRow("partly filled SSN, inside its text") << SSN << "12345" << "1" << "9" << "19345";
  QTest::newRow("full SSN, middle of its text") << SSN << "123456789" << "4" << "0" << "123056789";
  QTest::newRow("full SSN, its last digit") << SSN << "123456789" << "10" << "0" << "123456780";
  QTest::newRow("full phone, middle of its text") << Phone << "5551234" << "5" << "9" << "5551934";
  QTest::newRow("empty SSN, double click in the middle") << SSN << "" << "double middle" << "111223333"
                                                          << "111223333";
  QTest::newRow("empty date, double click in the middle") << Date << "" << "double middle" << "01151970"
                                                           << "01/15/1970";
  QTest::newRow("partly filled SSN, double click beyond its text") << SSN << "123" << "double middle"
                                                                   << "456789" << "123456789";
  QTest::newRow("full SSN, beyond its text") << SSN << "123456789" << "middle" << "987654321"
                                              << "987654321";
}

void TestMaskEdit::ClickPutsTheCursorWhereTypingLands() {
  QFETCH(QString, Mask);
  QFETCH(QString, Text);
  QFETCH(QString, Click);
  QFETCH(QString, Keys);
  QFETCH(QString, Result);
  TFakeEnv Fake;
  QWidget Window;
  auto* Other = new QLineEdit(&Window);
  auto* Box = new TMaskEdit(&Window);
  // Wider than its text, as the form's boxes are: its middle lies after the text.
  Box->setGeometry(0, 40, 200, Box->sizeHint().height());
  Box->SetEditMask(Mask.toStdString());
  Box->SetText(Text.toStdString());
  Window.show();
  QVERIFY(QTest::qWaitForWindowActive(&Window));
  Other->setFocus();
  QTRY_VERIFY(Other->hasFocus());
  const int Length = static_cast<int>(Box->displayText().size());
  QPoint At(Box->width() / 2, Box->height() / 2);
  if (Click == "start") At.setX(1);
  if (Click == "end") At.setX(Box->width() - 2);
  if (Click.endsWith("middle") || Click == "end") QCOMPARE(Box->cursorPositionAt(At), Length);
  if (Click[0].isDigit()) {
    // The middle of the stretch of the box where a click lands on that position.
    const int Position = Click.toInt();
    int First = -1, Last = -1;
    for (int X = 0; X < Box->width(); ++X) {
      if (Box->cursorPositionAt(QPoint(X, At.y())) != Position) continue;
      if (First < 0) First = X;
      Last = X;
    }
    QVERIFY(First >= 0);
    At.setX((First + Last) / 2);
  }
  if (Click.startsWith("double"))
    QTest::mouseDClick(Box, Qt::LeftButton, {}, At);
  else
    QTest::mouseClick(Box, Qt::LeftButton, {}, At);
  QVERIFY(Box->hasFocus());
  QTest::keyClicks(Box, Keys);
  QCOMPARE(QString::fromStdString(Box->Text()), Result);
}

// A Shift+click selects from the cursor to where it was clicked; beyond the
// digits too, where a plain click would start where typing starts: the
// selection the clerk made (to delete or retype the end of a number) stays.
void TestMaskEdit::ShiftClickBeyondTheDigitsKeepsItsSelection_data() {
  QTest::addColumn<QString>("Text");
  QTest::addColumn<int>("From");  // the position clicked first, inside the digits
  QTest::newRow("partly filled SSN") << "12345" << 1;
  QTest::newRow("full SSN") << "123456789" << 4;
}

void TestMaskEdit::ShiftClickBeyondTheDigitsKeepsItsSelection() {
  QFETCH(QString, Text);
  QFETCH(int, From);
  TFakeEnv Fake;
  QWidget Window;
  auto* Other = new QLineEdit(&Window);
  auto* Box = new TMaskEdit(&Window);
  Box->setGeometry(0, 40, 200, Box->sizeHint().height());
  Box->SetEditMask("999\\-99\\-9999;0;_");
  Box->SetText(Text.toStdString());
  Window.show();
  QVERIFY(QTest::qWaitForWindowActive(&Window));
  Other->setFocus();
  QTRY_VERIFY(Other->hasFocus());
  // The middle of the stretch of the box where a click lands on position From.
  const int Y = Box->height() / 2;
  int First = -1, Last = -1;
  for (int X = 0; X < Box->width(); ++X) {
    if (Box->cursorPositionAt(QPoint(X, Y)) != From) continue;
    if (First < 0) First = X;
    Last = X;
  }
  QVERIFY(First >= 0);
  QTest::mouseClick(Box, Qt::LeftButton, {}, QPoint((First + Last) / 2, Y));
  QVERIFY(Box->hasFocus());
  QCOMPARE(Box->cursorPosition(), From);
  QVERIFY(!Box->hasSelectedText());
  // Past the end of the text, in a box wider than it.
  const QPoint Beyond(Box->width() / 2, Y);
  const int End = static_cast<int>(Box->displayText().size());
  QCOMPARE(Box->cursorPositionAt(Beyond), End);
  QTest::mousePress(Box, Qt::LeftButton, Qt::ShiftModifier, Beyond);
  QTest::mouseRelease(Box, Qt::LeftButton, Qt::ShiftModifier, Beyond);
  QCOMPARE(Box->selectionStart(), From);
  QCOMPARE(Box->selectionEnd(), End);
}

void TestMaskEdit::OnChangeRunsForProgramAndUser() {
  TFakeEnv Fake;
  QWidget Window;
  auto* Edit = new TMaskEdit(&Window);
  Edit->SetEditMask("999;0;_");
  int Changes = 0;
  Edit->OnChange = [&]() { ++Changes; };
  Edit->SetText("609");
  QCOMPARE(Changes, 1);
  Edit->SetText("609");  // no change, no event
  QCOMPARE(Changes, 1);
  Window.show();
  Edit->setFocus();
  Edit->setCursorPosition(3);
  QTest::keyClick(Edit, Qt::Key_Backspace);
  QCOMPARE(Changes, 2);
  QCOMPARE(QString::fromStdString(Edit->Text()), QString("60"));
}

QTEST_MAIN(TestMaskEdit)
#include "test_MaskEdit.moc"

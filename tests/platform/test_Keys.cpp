// Key codes as the handlers see them: the key, not the character it types, so
// that a rule written for "the digit keys" or "every key" holds for shifted
// digits and punctuation too, while the numeric pad keeps codes of its own.

#include <QKeyEvent>
#include <QtTest>

#include "Keys.h"

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
};

QTEST_MAIN(TestKeys)
#include "test_Keys.moc"

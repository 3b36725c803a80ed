// The help window acts as a help viewer beside the program: it opens whole on
// the screen, Esc and its Close button close it, F1 again brings back the one
// window, it never blocks the window it was opened from, and no window of the
// program, modal or not, keeps the clerk from reading or closing it. Keys and
// clicks go through the window system's path, where Qt drops what a modal
// window blocks.

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QWindow>
#include <QtTest>

#include "Forms.h"
#include "Help.h"
#include "QtEnv.h"
#include "QtTestSupport.h"

namespace {

// A key pressed and released in a window, as the keyboard does it: the release
// goes to the window that has the keyboard by then (the press may have closed
// the window it was meant for).
void PressKey(QWidget* Window, Qt::Key Key) {
  QPointer<QWindow> Handle = Window->window()->windowHandle();
  QTest::keyPress(Handle, Key);
  QWindow* Release = Handle.isNull() || !Handle->isVisible() ? QGuiApplication::focusWindow() : Handle.data();
  if (Release != nullptr) QTest::keyRelease(Release, Key);
}

// A click of the left button at the middle of a control, through its window.
void ClickAt(QWidget* Control) {
  QWindow* Handle = Control->window()->windowHandle();
  const QPoint Where = Control->mapTo(Control->window(), Control->rect().center());
  QTest::mouseClick(Handle, Qt::LeftButton, Qt::NoModifier, Where);
}

// Lets the window system's queue and deferred deletes run.
void Settle() {
  for (int I = 0; I < 5; ++I) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

int HelpWindowsOpen() {
  int Count = 0;
  for (QWidget* Top : QApplication::topLevelWidgets())
    if (Top->objectName() == "frmHelp" && Top->isVisible()) ++Count;
  return Count;
}

// A form that opens the help on F1, as every window of the program does.
struct THelpForm {
  THelpForm() {
    Form.KeyPreview = true;
    Form.OnKeyDown = [](uint16_t& Key, TShiftState) {
      if (Key == VK_F1) Env().OpenHelp();
    };
    Edit = new QLineEdit(&Form);
    Form.resize(300, 200);
  }
  TForm Form;
  QLineEdit* Edit;
};

// Small screens that clerks' netbooks and panel PCs have, given to the
// offscreen platform beside its usual screen, which stays the primary one.
const QSize SmallScreens[] = {{1024, 600}, {800, 480}};

QScreen* ScreenOfSize(const QSize& Size) {
  for (QScreen* Screen : QGuiApplication::screens())
    if (Screen->geometry().size() == Size) return Screen;
  return nullptr;
}

}  // namespace

class TestHelp : public QObject {
  Q_OBJECT

 public:
  // Before the application starts: the offscreen platform reads its screens from
  // a file named in its options. On a real display the tests use its screens.
  static void initMain() {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    static QTemporaryFile Config;
    if (!Config.open()) return;
    // Side by side, the platform's usual 800x800 first. It puts its screens in the
    // order of their names, the first the primary.
    QJsonArray Screens;
    int X = 0;
    auto Add = [&](const QSize& Size) {
      Screens.append(QJsonObject{{"name", QString("Screen %1").arg(Screens.size() + 1)},
                                 {"x", X},
                                 {"y", 0},
                                 {"width", Size.width()},
                                 {"height", Size.height()}});
      X += Size.width();
    };
    Add(QSize(800, 800));
    for (const QSize& Size : SmallScreens) Add(Size);
    Config.write(QJsonDocument(QJsonObject{{"screens", Screens}}).toJson());
    Config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(Config.fileName()));
  }

 private slots:
  void cleanup() {
    CloseHelp();
    Settle();
  }

  // It opens whole on the screen of the window it was opened from, its title
  // bar and its Close button with it, on the small screens of a netbook or a
  // panel PC too.
  void TheWindowOpensWithinTheScreen_data() {
    QTest::addColumn<QSize>("Size");  // of the screen of the form it is opened from
    QTest::newRow("no window open, the primary screen") << QSize();
    for (const QSize& Size : SmallScreens)
      QTest::newRow(qPrintable(QString("%1x%2").arg(Size.width()).arg(Size.height()))) << Size;
  }

  void TheWindowOpensWithinTheScreen() {
    QFETCH(QSize, Size);
    QScreen* Screen = QGuiApplication::primaryScreen();
    TQtEnv Real;
    THelpForm F;
    if (Size.isValid()) {
      Screen = ScreenOfSize(Size);
      if (Screen == nullptr) QSKIP("No screen of that size on this display.");
      F.Form.setScreen(Screen);
      F.Form.move(Screen->availableGeometry().topLeft() + QPoint(20, 40));
      F.Form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&F.Form));
      F.Form.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&F.Form));
      QCOMPARE(F.Form.screen(), Screen);
      F.Edit->setFocus();
      PressKey(&F.Form, Qt::Key_F1);
      Settle();
    } else {
      ShowHelpContents();
    }
    QWidget* Window = HelpWindow();
    QVERIFY(Window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    // The frame's title bar goes above the window's own area.
    const int TitleBar = 30;
    const QRect Room = Screen->availableGeometry();
    const auto Show = [&Room](const QRect& R) {
      return QString("%1,%2 %3x%4 on %5,%6 %7x%8")
          .arg(R.x()).arg(R.y()).arg(R.width()).arg(R.height())
          .arg(Room.x()).arg(Room.y()).arg(Room.width()).arg(Room.height());
    };
    QVERIFY2(Room.adjusted(0, TitleBar, 0, 0).contains(Window->geometry()),
             qPrintable(Show(Window->geometry())));
    QVERIFY2(Room.contains(Window->frameGeometry()), qPrintable(Show(Window->frameGeometry())));
    auto* Close = Window->findChild<QPushButton*>("btnClose");
    QVERIFY(Close != nullptr);
    QVERIFY(Close->isVisible());
    const QRect CloseArea(Close->mapToGlobal(QPoint(0, 0)), Close->size());
    QVERIFY2(Room.contains(CloseArea), qPrintable(Show(CloseArea)));
    // Still a reading window, not a sliver.
    QVERIFY(Window->height() >= Room.height() / 2);
  }

  // Esc in the text, and a click on Close, each close the window.
  void EscAndCloseCloseIt_data() {
    QTest::addColumn<bool>("ByEsc");
    QTest::newRow("Esc") << true;
    QTest::newRow("Close button") << false;
  }

  void EscAndCloseCloseIt() {
    QFETCH(bool, ByEsc);
    ShowHelpContents();
    QWidget* Window = HelpWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    QPushButton* Close = Window->findChild<QPushButton*>("btnClose");
    QVERIFY(Close != nullptr);
    QCOMPARE(Close->text(), QString("Close"));
    QVERIFY(Close->isVisible());
    if (ByEsc) {
      QVERIFY(HelpBrowser()->hasFocus());
      PressKey(Window, Qt::Key_Escape);
    } else {
      ClickAt(Close);
    }
    Settle();
    QVERIFY(HelpWindow() == nullptr);
  }

  // F1 pressed again, in the program or after the clerk scrolled away, shows the
  // one window at its contents instead of opening a second.
  void F1AgainBringsBackTheOneWindow() {
    TQtEnv Real;
    THelpForm F;
    F.Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&F.Form));
    F.Edit->setFocus();
    PressKey(&F.Form, Qt::Key_F1);
    Settle();
    QPointer<QWidget> First = HelpWindow();
    QVERIFY(!First.isNull());
    QVERIFY(First->isVisible());
    const int AtContents = HelpBrowser()->verticalScrollBar()->value();
    HelpBrowser()->verticalScrollBar()->setValue(HelpBrowser()->verticalScrollBar()->maximum());
    // The clerk goes back to the form and presses F1 there again.
    F.Form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&F.Form));
    PressKey(&F.Form, Qt::Key_F1);
    Settle();
    QCOMPARE(HelpWindow(), First.data());
    QCOMPARE(HelpWindowsOpen(), 1);
    QCOMPARE(HelpBrowser()->verticalScrollBar()->value(), AtContents);
    // The form it was opened from goes on taking keys.
    F.Form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&F.Form));
    F.Edit->setFocus();
    PressKey(&F.Form, Qt::Key_A);
    QCOMPARE(F.Edit->text(), QString("a"));
  }

  // Opened from a modal window, or open when one is shown, the help still takes
  // Esc and clicks, leaves the modal window working, and stays on the screen
  // when that window closes.
  void AModalWindowNeverBlocksIt_data() {
    QTest::addColumn<bool>("OpenedFromModal");
    QTest::newRow("F1 in a modal window") << true;
    QTest::newRow("a modal window opened after the help") << false;
  }

  void AModalWindowNeverBlocksIt() {
    QFETCH(bool, OpenedFromModal);
    TQtEnv Real;
    THelpForm Below;
    Below.Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Below.Form));
    if (!OpenedFromModal) {
      PressKey(&Below.Form, Qt::Key_F1);
      Settle();
      QVERIFY(HelpWindow() != nullptr);
    }
    auto Modal = std::make_unique<THelpForm>();
    bool Ran = false;
    WhenModalShown([&](QWidget*) {
      // Ends the modal window however the checks went.
      const auto Finish = qScopeGuard([&] { Modal->Form.SetModalResult(mrOk); });
      Ran = true;
      QVERIFY(QTest::qWaitForWindowActive(&Modal->Form));
      if (OpenedFromModal) {
        Modal->Edit->setFocus();
        PressKey(&Modal->Form, Qt::Key_F1);
        Settle();
      }
      QWidget* Help = HelpWindow();
      QVERIFY(Help != nullptr);
      QVERIFY(QTest::qWaitForWindowExposed(Help));
      // The help takes clicks and keys: a click in the text (the window manager
      // activates the window clicked), then Page Down scrolls it.
      Settle();
      Help->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(Help));
      ClickAt(HelpBrowser()->viewport());
      QVERIFY(HelpBrowser()->hasFocus());
      const int Top = HelpBrowser()->verticalScrollBar()->value();
      PressKey(Help, Qt::Key_PageDown);
      QVERIFY(HelpBrowser()->verticalScrollBar()->value() > Top);
      // The modal window goes on taking keys meanwhile.
      Modal->Form.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&Modal->Form));
      Modal->Edit->setFocus();
      PressKey(&Modal->Form, Qt::Key_B);
      QCOMPARE(Modal->Edit->text(), QString("b"));
    });
    QCOMPARE(Modal->Form.ShowModal(), int(mrOk));
    QVERIFY(Ran);
    // The window it was opened from is gone; the help stays, and still closes.
    Modal.reset();
    Settle();
    QVERIFY(HelpWindow() != nullptr);
    QVERIFY(HelpWindow()->isVisible());
    ClickAt(HelpWindow()->findChild<QPushButton*>("btnClose"));
    Settle();
    QVERIFY(HelpWindow() == nullptr);
  }

  // The Close button and Esc work while a modal window is up, too.
  void ItClosesWhileAModalWindowIsUp_data() {
    QTest::addColumn<bool>("ByEsc");
    QTest::newRow("Esc") << true;
    QTest::newRow("Close button") << false;
  }

  void ItClosesWhileAModalWindowIsUp() {
    QFETCH(bool, ByEsc);
    TQtEnv Real;
    THelpForm Modal;
    bool Closed = false;
    WhenModalShown([&](QWidget*) {
      const auto Finish = qScopeGuard([&] { Modal.Form.SetModalResult(mrOk); });
      QVERIFY(QTest::qWaitForWindowActive(&Modal.Form));
      PressKey(&Modal.Form, Qt::Key_F1);
      Settle();
      QWidget* Help = HelpWindow();
      QVERIFY(Help != nullptr);
      QVERIFY(QTest::qWaitForWindowExposed(Help));
      if (ByEsc) {
        HelpBrowser()->setFocus();
        PressKey(Help, Qt::Key_Escape);
      } else {
        ClickAt(Help->findChild<QPushButton*>("btnClose"));
      }
      Settle();
      Closed = HelpWindow() == nullptr;
      // The modal window was not closed by the Esc meant for the help.
      QVERIFY(Modal.Form.isVisible());
    });
    QCOMPARE(Modal.Form.ShowModal(), int(mrOk));
    QVERIFY(Closed);
  }
};

QTEST_MAIN(TestHelp)
#include "test_Help.moc"

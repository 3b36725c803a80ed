// The help window opens whole on the screen: no larger than the screen leaves
// room for once a window frame is added, and placed on it with that room above.

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>

#include "Help.h"

class TestHelp : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { CloseHelp(); }

  void TheWindowOpensWithinTheScreen() {
    ShowHelpContents();
    QVERIFY(HelpBrowser() != nullptr);
    QWidget* Window = HelpBrowser()->window();
    // The frame's title bar goes above the window's own area.
    const int TitleBar = 30;
    const QRect Room = QGuiApplication::primaryScreen()->availableGeometry().adjusted(0, TitleBar, 0, 0);
    QVERIFY2(Room.contains(Window->geometry()),
             qPrintable(QString("%1,%2 %3x%4 on %5x%6")
                            .arg(Window->x()).arg(Window->y()).arg(Window->width())
                            .arg(Window->height()).arg(Room.width()).arg(Room.height())));
    // Still a reading window, not a sliver.
    QVERIFY(Window->height() >= Room.height() / 2);
  }
};

QTEST_MAIN(TestHelp)
#include "test_Help.moc"

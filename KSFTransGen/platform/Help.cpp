#include "Help.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace {
std::string GHelpFile;
QPointer<QWidget> GHelpWindow;
QPointer<QTextBrowser> GBrowser;
const char* const ContentsUrl = "qrc:/help/index.html";
}  // namespace

void SetHelpFile(const std::string& Name) { GHelpFile = Name; }
const std::string& HelpFile() { return GHelpFile; }

void ShowHelpContents() {
  if (GHelpWindow.isNull()) {
    // Initialises the help resource when the library is linked statically.
    Q_INIT_RESOURCE(Help);
    auto* Window = new QWidget(nullptr, Qt::Window);
    Window->setObjectName("frmHelp");
    Window->setWindowTitle("KSF Transmittal Generator Help");
    Window->setAttribute(Qt::WA_DeleteOnClose);
    auto* Layout = new QVBoxLayout(Window);
    Layout->setContentsMargins(0, 0, 0, 0);
    auto* Browser = new QTextBrowser(Window);
    Browser->setObjectName("brwHelp");
    Browser->setOpenExternalLinks(false);
    Layout->addWidget(Browser);
    // Its size, but never more than the screen can show with room for a window
    // frame, and centred on the screen, so that no part opens off it.
    const QScreen* Screen = QGuiApplication::primaryScreen();
    if (QWidget* Active = QApplication::activeWindow()) Screen = Active->screen();
    const QRect Room = Screen != nullptr ? Screen->availableGeometry() : QRect(0, 0, 720, 600);
    Window->resize(std::min(720, Room.width() * 9 / 10), std::min(600, Room.height() * 85 / 100));
    Window->move(Room.center() - Window->rect().center());
    GHelpWindow = Window;
    GBrowser = Browser;
  }
  GBrowser->setSource(QUrl(ContentsUrl));
  GBrowser->scrollToAnchor("contents");
  GHelpWindow->show();
  GHelpWindow->raise();
  GHelpWindow->activateWindow();
}

QTextBrowser* HelpBrowser() { return GBrowser.data(); }

void CloseHelp() {
  if (!GHelpWindow.isNull()) delete GHelpWindow.data();
}

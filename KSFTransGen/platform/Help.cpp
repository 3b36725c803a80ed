#include "Help.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

// The help window stands in for a help viewer, a program of its own beside this
// one: it never blocks the window it was opened from, and no window of this
// program blocks it, modal or not. Qt blocks every window but the modal one and
// the modal one's own (transient) children, so the help window makes itself a
// child of whichever modal window is up, for Qt alone, the moment one blocks it.
class THelpWindow : public QWidget {
 public:
  THelpWindow() : QWidget(nullptr, Qt::Window) {}

  // Makes the help window a child of the modal window that is up, if any, so that
  // it takes keys and clicks while that window runs.
  void KeepUsable() {
    QWindow* Modal = QGuiApplication::modalWindow();
    QWindow* Own = windowHandle();
    if (Modal == nullptr || Own == nullptr || Modal == Own) return;
    if (Own->transientParent() != Modal) Own->setTransientParent(Modal);
  }

 protected:
  bool event(QEvent* Event) override {
    // Moved out of the blocking itself, which Qt is still working through.
    if (Event->type() == QEvent::WindowBlocked)
      QTimer::singleShot(0, this, [this] { KeepUsable(); });
    return QWidget::event(Event);
  }

  void keyPressEvent(QKeyEvent* Event) override {
    if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
      close();
      return;
    }
    QWidget::keyPressEvent(Event);
  }
};

std::string GHelpFile;
QPointer<THelpWindow> GHelpWindow;
QPointer<QTextBrowser> GBrowser;
const char* const ContentsUrl = "qrc:/help/index.html";

THelpWindow* CreateHelpWindow() {
  auto* Window = new THelpWindow();
  Window->setObjectName("frmHelp");
  Window->setWindowTitle("KSF Transmittal Generator Help");
  Window->setAttribute(Qt::WA_DeleteOnClose);
  auto* Layout = new QVBoxLayout(Window);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  auto* Browser = new QTextBrowser(Window);
  Browser->setObjectName("brwHelp");
  Browser->setOpenExternalLinks(false);
  Layout->addWidget(Browser, 1);
  auto* Buttons = new QHBoxLayout();
  Buttons->setContentsMargins(8, 6, 8, 6);
  Buttons->addStretch(1);
  auto* Close = new QPushButton("Close", Window);
  Close->setObjectName("btnClose");
  Close->setAutoDefault(false);
  QObject::connect(Close, &QPushButton::clicked, Window, &QWidget::close);
  Buttons->addWidget(Close);
  Layout->addLayout(Buttons);
  // Its size, but never more than the screen can show with room for a window
  // frame, and centred on the screen, so that no part opens off it.
  const QScreen* Screen = QGuiApplication::primaryScreen();
  if (QWidget* Active = QApplication::activeWindow()) Screen = Active->screen();
  const QRect Room = Screen != nullptr ? Screen->availableGeometry() : QRect(0, 0, 720, 600);
  Window->resize(std::min(720, Room.width() * 9 / 10), std::min(600, Room.height() * 85 / 100));
  Window->move(Room.center() - Window->rect().center());
  GBrowser = Browser;
  return Window;
}

}  // namespace

void SetHelpFile(const std::string& Name) { GHelpFile = Name; }
const std::string& HelpFile() { return GHelpFile; }

void ShowHelpContents() {
  // One help window for the run: F1 again brings the same window forward at its contents.
  if (GHelpWindow.isNull()) {
    // Initialises the help resource when the library is linked statically.
    Q_INIT_RESOURCE(Help);
    GHelpWindow = CreateHelpWindow();
  }
  GBrowser->setSource(QUrl(ContentsUrl));
  GBrowser->scrollToAnchor("contents");
  GHelpWindow->show();
  // Opened from a modal window, it becomes that window's child at once. Only
  // once it is on the screen: the window manager is not told, so the help stays
  // a window of its own there, never closed, hidden or kept on top with the
  // modal window.
  GHelpWindow->KeepUsable();
  GHelpWindow->raise();
  GHelpWindow->activateWindow();
  GBrowser->setFocus();
}

QTextBrowser* HelpBrowser() { return GBrowser.data(); }

QWidget* HelpWindow() { return GHelpWindow.data(); }

void CloseHelp() {
  if (!GHelpWindow.isNull()) delete GHelpWindow.data();
}

#include "QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <memory>

void WhenModalShown(std::function<void(QWidget*)> Action, int TimeoutMs) {
  auto Clock = std::make_shared<QElapsedTimer>();
  Clock->start();
  auto Poll = std::make_shared<std::function<void()>>();
  *Poll = [Action, TimeoutMs, Clock, Poll]() {
    QWidget* Modal = QApplication::activeModalWidget();
    if (Modal != nullptr && Modal->isVisible()) {
      Action(Modal);
      *Poll = nullptr;  // break the self-reference
      return;
    }
    if (Clock->elapsed() > TimeoutMs) {
      *Poll = nullptr;
      return;
    }
    QTimer::singleShot(10, *Poll);
  };
  QTimer::singleShot(0, *Poll);
}

namespace {
// Runs the event loop until Done, or a while at most.
void LoopUntil(const std::function<bool()>& Done) {
  QEventLoop Loop;
  QTimer Poll;
  int Rounds = 0;
  int DoneRounds = 0;
  QObject::connect(&Poll, &QTimer::timeout, &Loop, [&]() {
    // A few more rounds once done, for what it set off (deferred deletes).
    if (Done()) ++DoneRounds;
    if (DoneRounds > 2 || ++Rounds > 1000) Loop.quit();
  });
  Poll.start(1);
  Loop.exec();
}
}  // namespace

void ImitateModalWindow() {
  QPointer<QWidget> Below = QApplication::activeWindow();
  {
    QWidget Window;
    Window.setWindowModality(Qt::ApplicationModal);
    auto* Button = new QPushButton("OK", &Window);
    Window.show();
    Window.activateWindow();
    Button->setFocus();
    // The activation reaches the program through the window system's queue, and
    // what it makes others close is deleted by this loop, as by a box's own loop.
    LoopUntil([&]() { return QApplication::activeWindow() == &Window; });
  }
  // The window manager gives the activation back to the window below.
  if (!Below.isNull()) {
    Below->activateWindow();
    LoopUntil([&]() { return Below.isNull() || QApplication::activeWindow() == Below; });
  }
}

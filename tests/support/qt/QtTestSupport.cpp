#include "QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
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

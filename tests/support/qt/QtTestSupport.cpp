#include "QtTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <memory>

namespace {

// The test function and data row that run, empty outside of any.
QByteArray RunningTest() {
  const char* Function = QTest::currentTestFunction();
  const char* Row = QTest::currentDataTag();
  return QByteArray(Function != nullptr ? Function : "") + '/' + (Row != nullptr ? Row : "");
}

// For each WhenModalShown action still waiting for its window, the test that
// arranged it: while one of the running test waits, the next modal window is
// the one it was arranged for.
QList<QByteArray> PendingModals;
// Set on a window that the test shows modally itself.
const char ArrangedProperty[] = "ksfArrangedModal";

// A window that blocks whoever showed it until somebody closes it. A progress
// window is modal too but waits for nobody.
bool IsBlockingModal(const QWidget* Window) {
  return Window->isWindow() && Window->isModal() &&
         qobject_cast<const QProgressDialog*>(Window) == nullptr;
}

QString Describe(const QWidget* Window) {
  QString Text = QStringLiteral("%1 \"%2\" (%3)")
                     .arg(QString::fromLatin1(Window->metaObject()->className()),
                          Window->windowTitle(), Window->objectName());
  if (const auto* Box = qobject_cast<const QMessageBox*>(Window)) Text += ": " + Box->text();
  return Text;
}

// Watches every window that is shown: a blocking one that nobody arranged for
// fails the running test and is closed once its own event loop runs.
class TModalGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Show && Watched->isWidgetType()) {
      auto* Window = static_cast<QWidget*>(Watched);
      if (IsBlockingModal(Window) && !PendingModals.contains(RunningTest()) &&
          !Window->property(ArrangedProperty).toBool())
        Unexpected(Window);
    }
    return false;
  }

 private:
  static void Unexpected(QWidget* Window) {
    const QByteArray Message =
        ("a modal window opened that the test did not arrange for: " + Describe(Window)).toUtf8();
    if (QTest::currentTestFunction() != nullptr)
      QTest::qFail(Message.constData(), __FILE__, __LINE__);
    else
      qCritical("%s", Message.constData());
    QTimer::singleShot(0, Window, [Window] { ForceCloseModal(Window); });
  }
};

void InstallModalGuard() { QCoreApplication::instance()->installEventFilter(new TModalGuard(qApp)); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallModalGuard)

void ArrangeModal(QWidget* Window) { Window->setProperty(ArrangedProperty, true); }

void ForceCloseModal(QWidget* Window) {
  if (Window == nullptr) return;
  if (auto* Dialog = qobject_cast<QDialog*>(Window)) {
    Dialog->done(QDialog::Rejected);
    return;
  }
  Window->close();
  if (Window->isVisible()) Window->hide();
}

void WhenModalShown(std::function<void(QWidget*)> Action, int TimeoutMs) {
  // The action refers to the locals of the test that arranges it, so it waits
  // only while that test runs; once the next one has begun it is dropped unrun.
  const QByteArray Arranger = RunningTest();
  PendingModals.append(Arranger);
  auto Clock = std::make_shared<QElapsedTimer>();
  Clock->start();
  auto Poll = std::make_shared<std::function<void()>>();
  *Poll = [Action, TimeoutMs, Clock, Poll, Arranger]() {
    const auto StopWaiting = [&] {
      PendingModals.removeOne(Arranger);
      *Poll = nullptr;  // break the self-reference
    };
    if (RunningTest() != Arranger) {
      StopWaiting();
      return;
    }
    QWidget* Modal = QApplication::activeModalWidget();
    if (Modal != nullptr && Modal->isVisible()) {
      StopWaiting();
      const QPointer<QWidget> Shown(Modal);
      Action(Modal);
      // A check that failed in the action may have left the window up, and with
      // it the test, waiting for a click that will never come.
      if (QTest::currentTestFailed() && !Shown.isNull() && Shown->isVisible())
        ForceCloseModal(Shown);
      return;
    }
    if (Clock->elapsed() > TimeoutMs) {
      StopWaiting();
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
    ArrangeModal(&Window);
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

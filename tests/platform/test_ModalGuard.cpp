// The guard that every widget test runs under, and the actions a test arranges
// with WhenModalShown for the modal window it expects. An action refers to the
// locals of the test that arranged it, so it belongs to that test: when the
// window it waits for never opens (the very fault the test may be there to
// catch), it must neither run in a later test, on a window of that test, nor
// keep the guard from failing that test on a window nobody arranged for.
//
// The test functions run in their order: the first leaves actions waiting, as
// does the first data row of the last.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include "QtTestSupport.h"

namespace {

// How often an answer arranged here ran: each is for a box that never opens in
// the test that arranged it.
int StaleRuns = 0;

// Arranges an answer for a box, as a test does, that refers to the test's locals.
void ArrangeAnswer(bool& Answered) {
  WhenModalShown([&Answered](QWidget* Modal) {
    ++StaleRuns;
    Answered = true;
    ForceCloseModal(Modal);
  });
}

// Shows a dialog modally that accepts itself once its loop has run a while,
// unless something closes it first; returns its result.
int ShowSelfAcceptingDialog(bool Arranged) {
  QDialog Box;
  Box.setObjectName("dlgSelfAccepting");
  if (Arranged) ArrangeModal(&Box);
  QTimer::singleShot(100, &Box, [&Box] { Box.accept(); });
  return Box.exec();
}

}  // namespace

class TestModalGuard : public QObject {
  Q_OBJECT

 private slots:
  // Two answers arranged for boxes that the code under test never showed.
  void ActionsWhoseWindowNeverOpens() {
    bool Answered = false;
    ArrangeAnswer(Answered);
    ArrangeAnswer(Answered);
  }

  void ALaterTestsOwnWindowIsLeftToIt() {
    QCOMPARE(ShowSelfAcceptingDialog(true), int(QDialog::Accepted));
    QCOMPARE(StaleRuns, 0);
  }

  void ALaterTestsUnarrangedWindowStillFailsIt() {
    QEXPECT_FAIL("", "The guard fails the test on a modal window nobody arranged for.", Continue);
    const int Result = ShowSelfAcceptingDialog(false);
    // True whatever happened, so an unexpected pass had the guard not failed the test.
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(Result, int(QDialog::Rejected));  // closed by the guard at once
    QCOMPARE(StaleRuns, 0);
  }

  // The same from one data row of a test function to the next.
  void AnActionEndsWithItsDataRow_data() {
    QTest::addColumn<bool>("Arrange");
    QTest::newRow("arranges an answer") << true;
    QTest::newRow("shows its own window") << false;
  }

  void AnActionEndsWithItsDataRow() {
    QFETCH(bool, Arrange);
    bool Answered = false;
    if (Arrange) {
      ArrangeAnswer(Answered);
      return;
    }
    QCOMPARE(ShowSelfAcceptingDialog(true), int(QDialog::Accepted));
    QCOMPARE(StaleRuns, 0);
  }
};

QTEST_MAIN(TestModalGuard)
#include "test_ModalGuard.moc"

// The real environment: message boxes with their captions, buttons and answers
// (closed from the test), the routine that routes uncaught errors to the default
// error box, the hourglass restored on every way out, and the message window hook.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "FakeEnv.h"
#include "QtEnv.h"
#include "QtTestSupport.h"
#include "Utils.h"

class TestQtEnv : public QObject {
  Q_OBJECT
 private slots:
  void BoxesShowCaptionButtonsAndAnswer_data();
  void BoxesShowCaptionButtonsAndAnswer();
  void RunHandlerRoutesErrors();
  void HourglassRestoredOnEveryWayOut();
  void MessagesGoToRegisteredHandler();
};

void TestQtEnv::BoxesShowCaptionButtonsAndAnswer_data() {
  QTest::addColumn<int>("Kind");
  QTest::addColumn<int>("Buttons");
  QTest::addColumn<int>("Press");  // the QMessageBox button to press; 0: Esc
  QTest::addColumn<QString>("Caption");
  QTest::addColumn<int>("ButtonCount");
  QTest::addColumn<int>("Answer");
  const int Box = int(TMsgKind::MessageBox);
  QTest::newRow("ok") << Box << int(TMsgButtons::OK) << int(QMessageBox::Ok) << "KSF Transmittal Software" << 1
                      << int(mrOk);
  QTest::newRow("yes") << Box << int(TMsgButtons::YesNo) << int(QMessageBox::Yes) << "KSF Transmittal Software"
                       << 2 << int(mrYes);
  QTest::newRow("esc on yes/no is no") << Box << int(TMsgButtons::YesNo) << 0 << "KSF Transmittal Software" << 2
                                       << int(mrNo);
  QTest::newRow("cancel") << Box << int(TMsgButtons::YesNoCancel) << int(QMessageBox::Cancel) << "Member Detail"
                          << 3 << int(mrCancel);
  QTest::newRow("confirm no") << int(TMsgKind::ConfirmDialog) << int(TMsgButtons::YesNoCancel)
                              << int(QMessageBox::No) << "Confirm" << 3 << int(mrNo);
  QTest::newRow("message dialog takes the title") << int(TMsgKind::MessageDialog) << int(TMsgButtons::OK)
                                                  << int(QMessageBox::Ok) << "KSF Transmittal Generator" << 1
                                                  << int(mrOk);
  QTest::newRow("error box takes the title") << int(TMsgKind::ErrorBox) << int(TMsgButtons::OK) << 0
                                             << "KSF Transmittal Generator" << 1 << int(mrOk);
}

void TestQtEnv::BoxesShowCaptionButtonsAndAnswer() {
  QFETCH(int, Kind);
  QFETCH(int, Buttons);
  QFETCH(int, Press);
  QFETCH(QString, Caption);
  QFETCH(int, ButtonCount);
  QFETCH(int, Answer);
  TQtEnv Real;
  SetApplicationTitle("KSF Transmittal Generator");
  TMessageRequest Request;
  Request.Kind = static_cast<TMsgKind>(Kind);
  Request.Caption = Kind == int(TMsgKind::ConfirmDialog) ? "" : "KSF Transmittal Software";
  if (Caption == "Member Detail") Request.Caption = "Member Detail";
  Request.Text = "Data modified! Save?";
  Request.Buttons = static_cast<TMsgButtons>(Buttons);
  QString SeenCaption, SeenText;
  int SeenButtons = -1;
  WhenModalShown([&](QWidget* Modal) {
    auto* Box = qobject_cast<QMessageBox*>(Modal);
    QVERIFY(Box != nullptr);
    SeenCaption = Box->windowTitle();
    SeenText = Box->text();
    SeenButtons = int(Box->buttons().size());
    if (Press == 0)
      QTest::keyClick(Box, Qt::Key_Escape);
    else
      Box->button(static_cast<QMessageBox::StandardButton>(Press))->click();
  });
  QCOMPARE(Env().Message(Request), Answer);
  QCOMPARE(SeenCaption, Caption);
  QCOMPARE(SeenText, QString("Data modified! Save?"));
  QCOMPARE(SeenButtons, ButtonCount);
}

void TestQtEnv::RunHandlerRoutesErrors() {
  TFakeEnv Fake;
  SetApplicationTitle("KSF Transmittal Generator");
  QVERIFY(RunHandler([]() {}));
  QVERIFY(!RunHandler([]() { throw EAbort(); }));
  QVERIFY(Fake.Boxes.empty());  // the silent stop shows nothing
  QVERIFY(!RunHandler([]() { throw Exception("Invalid delete"); }));
  QVERIFY(!RunHandler([]() { throw std::out_of_range("vector"); }));
  QCOMPARE(Fake.BoxTexts(), (std::vector<std::string>{"Invalid delete", "vector"}));
  QCOMPARE(Fake.Boxes[0].Kind, TMsgKind::ErrorBox);
  QCOMPARE(Fake.Boxes[0].Caption, std::string("KSF Transmittal Generator"));
}

void TestQtEnv::HourglassRestoredOnEveryWayOut() {
  TFakeEnv Fake;
  QCOMPARE(ScreenCursor(), crDefault);
  {
    THourglass Wait;
    QCOMPARE(ScreenCursor(), crHourGlass);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    {
      THourglass Inner;  // nested: the outer one stays until it ends
    }
    QCOMPARE(ScreenCursor(), crHourGlass);
  }
  QCOMPARE(ScreenCursor(), crDefault);
  QVERIFY(QApplication::overrideCursor() == nullptr);

  RunHandler([]() {
    THourglass Wait;
    throw Exception("Coudn't save the file!");
  });
  QCOMPARE(ScreenCursor(), crDefault);
  QVERIFY(QApplication::overrideCursor() == nullptr);

  // One form shows the hourglass and another puts the normal cursor back.
  SetScreenCursor(crHourGlass);
  SetScreenCursor(crHourGlass);
  SetScreenCursor(crDefault);
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestQtEnv::MessagesGoToRegisteredHandler() {
  TQtEnv Real;
  ErrorList->Clear();
  ErrorList->Add("Member 123-45-6789: Last name is required");
  ErrorList->Show();  // no handler yet: nothing happens
  std::vector<std::string> Shown;
  Real.MessagesHandler = [&](const std::vector<std::string>& Messages) { Shown = Messages; };
  ErrorList->Show();
  QCOMPARE(Shown, (std::vector<std::string>{"Member 123-45-6789: Last name is required"}));

  // A failed save under the hourglass shows the window: the user works in it
  // with the normal cursor, and the hourglass is back once it has closed.
  Qt::CursorShape Seen = Qt::BlankCursor;
  Real.MessagesHandler = [&](const std::vector<std::string>&) {
    Seen = QApplication::overrideCursor() != nullptr ? QApplication::overrideCursor()->shape()
                                                     : Qt::BlankCursor;
  };
  {
    THourglass Wait;
    ErrorList->Show();
    QCOMPARE(Seen, Qt::ArrowCursor);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  QVERIFY(QApplication::overrideCursor() == nullptr);
  ErrorList->Clear();
}

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  UtilsInitialization();
  TestQtEnv Test;
  const int Result = QTest::qExec(&Test, argc, argv);
  UtilsFinalization();
  return Result;
}
#include "test_QtEnv.moc"

// The employer-selection window: the ID list read from the data folder, the
// enabling of Open, the June 2004 question, opening a listed or a new employer,
// leaving, and help.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "Controls.h"
#include "FakeEnv.h"
#include "KSFUnits.h"
#include "MaskEdit.h"
#include "QtEnv.h"
#include "QtTestSupport.h"
#include "Utils.h"
#include "VEmpName.h"
#include "VMain.h"
#include "VOpening.h"

namespace {

void Touch(const QString& Path) {
  QFile File(Path);
  QVERIFY(File.open(QIODevice::WriteOnly));
}

QStringList ListedIds(const TfrmOpening& Form) {
  QStringList Ids;
  for (int i = 0; i < Form.cmbIds->count(); ++i) Ids << Form.cmbIds->itemText(i);
  return Ids;
}

// A minimal valid file of an employer, so the preparation form has something to open.
void WriteEmptyTransmittal(const QString& Path, const std::string& Id) {
  std::string Header = "HEAD " + Id + std::string(30, ' ') + "09152004" + "09" + "2004";
  std::string Trailer = "TRAIL";
  for (int i = 0; i < 6; ++i) Trailer.append("0").append(10, ' ');
  Trailer += "20040900." + Id + std::string(15, ' ');
  QFile File(Path);
  QVERIFY(File.open(QIODevice::WriteOnly));
  File.write((Header + "\r\n" + Trailer + "\r\n").c_str());
}

}  // namespace

class TestVOpening : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakeEnv> FEnv;
  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmOpening> FForm;

  QString Data() const { return FDir->path() + "/Data/"; }
  void MakeData(const QStringList& Files) {
    QVERIFY(QDir().mkpath(Data()));
    for (const QString& Name : Files) Touch(Data() + Name);
  }
  void ShowForm() {
    FForm = std::make_unique<TfrmOpening>();
    frmOpening = FForm.get();
    FForm->show();
    QCoreApplication::processEvents();
  }
  QWidget* KeyTarget() const {
    QWidget* Focus = QApplication::focusWidget();
    return Focus != nullptr ? Focus : FForm.get();
  }

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void init() {
    FEnv = std::make_unique<TFakeEnv>();
    FEnv->SetToday(2005, 3, 1);
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    AppDir = FDir->path().toStdString() + "/";
    SelectedEmployerId.clear();
  }

  void cleanup() {
    delete frmTrans;
    frmTrans = nullptr;
    FForm.reset();
    frmOpening = nullptr;
    SetScreenCursor(crDefault);
    FEnv.reset();
    FDir.reset();
  }

  void windowLayout() {
    ShowForm();
    QCOMPARE(FForm->objectName(), QString("frmOpening"));
    QCOMPARE(FForm->windowTitle(), QString("KSF Transmittal Software V3"));
    QVERIFY(ScreenDPI > 0);
    QCOMPARE(FForm->width(), ScreenDPI * 330 / 96);
    QCOMPARE(FForm->height(), ScreenDPI * 121 / 96);
    for (const char* Name : {"Label1", "Label2", "lblIds", "cmbIds", "bbnOpen", "bbnHelp", "bbnCancel"})
      QVERIFY2(FForm->findChild<QWidget*>(Name) != nullptr, Name);
    QCOMPARE(FForm->bbnOpen->text(), QString("&Open"));
    QCOMPARE(FForm->bbnHelp->text(), QString("&Help"));
    QCOMPARE(FForm->bbnCancel->text(), QString("E&xit"));
    QCOMPARE(FForm->lblIds->buddy(), FForm->cmbIds);
    QVERIFY(FForm->cmbIds->isEditable());
    // Tab order: the ID, Open, Help, Exit.
    QCOMPARE(FForm->cmbIds->nextInFocusChain()->window(), FForm.get());
    QWidget* Order[] = {FForm->bbnOpen, FForm->bbnHelp, FForm->bbnCancel};
    QWidget* Current = FForm->cmbIds;
    for (QWidget* Expected : Order) {
      do Current = Current->nextInFocusChain();
      while (!(Current->focusPolicy() & Qt::TabFocus) || Current->focusProxy() != nullptr ||
             Current->parentWidget() == FForm->cmbIds);
      QCOMPARE(Current, Expected);
    }
  }

  // Only names of 12 characters with a three-digit extension count, whatever
  // the rest of the name; each ID is listed once, in ascending order, and the
  // lowest is selected.
  void employerList_data() {
    QTest::addColumn<QStringList>("Files");
    QTest::addColumn<QStringList>("Ids");
    QTest::newRow("two employers") << QStringList{"20040900.123", "20040901.123", "20040900.045", "notes.txt"}
                                   << QStringList{"045", "123"};
    QTest::newRow("any 12-character name") << QStringList{"notafile.456", "20040900.12", "20040900.1234"}
                                           << QStringList{"456"};
    QTest::newRow("letters in the extension") << QStringList{"20040900.12a", "2004090.1234"} << QStringList{};
    QTest::newRow("empty folder") << QStringList{} << QStringList{};
  }
  void employerList() {
    QFETCH(QStringList, Files);
    QFETCH(QStringList, Ids);
    MakeData(Files);
    ShowForm();
    QCOMPARE(ListedIds(*FForm), Ids);
    QCOMPARE(FForm->cmbIds->currentText(), Ids.isEmpty() ? QString() : Ids.first());
    QCOMPARE(FForm->bbnOpen->isEnabled(), !Ids.isEmpty());
  }

  void missingDataFolderGivesEmptyList() {
    ShowForm();
    QVERIFY(ListedIds(*FForm).isEmpty());
    QVERIFY(!FForm->bbnOpen->isEnabled());
  }

  void folderEntriesCountToo() {
    MakeData({});
    QVERIFY(QDir().mkpath(Data() + "archive0.789"));
    ShowForm();
    QCOMPARE(ListedIds(*FForm), QStringList{"789"});
  }

  void openEnabledForThreeDigitsOnly_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<bool>("Enabled");
    QTest::newRow("12") << "12" << false;
    QTest::newRow("12a") << "12a" << false;
    QTest::newRow("123") << "123" << true;
    QTest::newRow("1234") << "1234" << false;
    QTest::newRow("blank inside") << "1 3" << false;
    QTest::newRow("empty") << "" << false;
  }
  void openEnabledForThreeDigitsOnly() {
    QFETCH(QString, Text);
    QFETCH(bool, Enabled);
    MakeData({"20040900.045"});
    ShowForm();
    FForm->cmbIds->setEditText(Text);
    QCOMPARE(FForm->bbnOpen->isEnabled(), Enabled);
  }

  void beepsAtEveryShowing() {
    ShowForm();
    QCOMPARE(FEnv->Beeps, 1);
    FForm->hide();
    FForm->show();
    QCOMPARE(FEnv->Beeps, 2);
    QVERIFY(FEnv->Boxes.empty());
  }

  // From January to October 2004 the window first asks about the June 2004 file.
  void june2004Question_data() {
    QTest::addColumn<QDate>("Today");
    QTest::addColumn<bool>("Asked");
    QTest::newRow("1 January 2004") << QDate(2004, 1, 1) << true;
    QTest::newRow("31 October 2004") << QDate(2004, 10, 31) << true;
    QTest::newRow("1 November 2004") << QDate(2004, 11, 1) << false;
    QTest::newRow("31 December 2003") << QDate(2003, 12, 31) << false;
    QTest::newRow("June 2005") << QDate(2005, 6, 15) << false;
  }
  void june2004Question() {
    QFETCH(QDate, Today);
    QFETCH(bool, Asked);
    FEnv->SetToday(Today.year(), Today.month(), Today.day());
    FEnv->Answers = {mrYes};
    MakeData({"20040900.045"});
    ShowForm();
    if (Asked) {
      QCOMPARE(FEnv->BoxTexts(), std::vector<std::string>{"Have you Transmitted your June 2004 file ?"});
      QCOMPARE(FEnv->Boxes[0].Caption, std::string("KSF Transmittal Software V2"));
      QCOMPARE(FEnv->Boxes[0].Buttons, TMsgButtons::YesNo);
    } else {
      QVERIFY(FEnv->Boxes.empty());
    }
    QCOMPARE(FEnv->Beeps, 1);
    QVERIFY(FForm->isVisible());
    QVERIFY(!FForm->IsClosed());
    QCOMPARE(ListedIds(*FForm), QStringList{"045"});
  }

  void june2004AnsweredNoShowsNoticeAndEnds() {
    FEnv->SetToday(2004, 6, 30);
    FEnv->Answers = {mrNo};
    MakeData({"20040900.045"});
    bool Ended = false;
    FForm = std::make_unique<TfrmOpening>();
    connect(FForm.get(), &TfrmOpening::Closed, this, [&] { Ended = true; });
    FForm->show();
    QCOMPARE(FEnv->Boxes.size(), size_t(2));
    const TMessageRequest& Notice = FEnv->Boxes[1];
    QCOMPARE(Notice.Kind, TMsgKind::MessageDialog);
    QCOMPARE(Notice.Caption, ApplicationTitle());
    QVERIFY(QString::fromStdString(Notice.Text)
                .startsWith("You will have to use the older version of the software to create the "
                            "June 2004 file!!! Please go to our website to download and install the "
                            "earlier version. If you need any help, contact KSF at "));
    // The rest of the showing still runs; the window closes right after it.
    QCOMPARE(ListedIds(*FForm), QStringList{"045"});
    QTRY_VERIFY(Ended);
    QVERIFY(FForm->IsClosed());
    QVERIFY(!FForm->isVisible());
  }

  void openListedEmployerHandsOver() {
    MakeData({});
    WriteEmptyTransmittal(Data() + "20040900.123", "123");
    WriteEmptyTransmittal(Data() + "20040900.045", "045");
    ShowForm();
    FForm->cmbIds->setEditText("123");
    FForm->bbnOpen->click();
    QCOMPARE(QString::fromStdString(SelectedEmployerId), QString("123"));
    QVERIFY(frmTrans != nullptr);
    QVERIFY(!FForm->isVisible());
    QVERIFY(!FForm->IsClosed());
    QVERIFY(FEnv->BoxTexts().empty() || FEnv->BoxTexts()[0] != "The employer name is required!");
  }

  // The preparation form puts the normal cursor back once it has opened the
  // newest file. When that file cannot be opened the error box says so, and the
  // hourglass must not stay up over the window the user goes on working in.
  void hourglassEndsWhenTheNewestFileCannotBeOpened() {
    MakeData({});
    const QString Path = Data() + "20040900.123";
    WriteEmptyTransmittal(Path, "123");
    // An immutable file cannot be opened for writing, not even by root.
    if (QProcess::execute("chattr", {"+i", Path}) != 0) QSKIP("chattr +i is not available here");
    ShowForm();
    FForm->cmbIds->setEditText("123");
    FForm->bbnOpen->click();
    QProcess::execute("chattr", {"-i", Path});
    QVERIFY(frmTrans != nullptr);
    QVERIFY(!FEnv->Boxes.empty());
    QCOMPARE(FEnv->Boxes.back().Kind, TMsgKind::ErrorBox);
    QCOMPARE(ScreenCursor(), crDefault);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void enterOpensOnlyWhenOpenIsEnabled() {
    MakeData({});
    WriteEmptyTransmittal(Data() + "20040900.045", "045");
    ShowForm();
    QApplication::setActiveWindow(FForm.get());
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    FForm->cmbIds->setFocus();
    FForm->cmbIds->setEditText("04");
    QTest::keyClick(KeyTarget(), Qt::Key_Return);
    QVERIFY(frmTrans == nullptr);
    QVERIFY(FForm->isVisible());
    FForm->cmbIds->setEditText("045");
    QTest::keyClick(KeyTarget(), Qt::Key_Return);
    QVERIFY(frmTrans != nullptr);
    QCOMPARE(QString::fromStdString(SelectedEmployerId), QString("045"));
    QCOMPARE(ListedIds(*FForm), QStringList{"045"});
  }

  // The box does not complete a typed ID from the list: the typed digits are the
  // ID, so a partial 12 never becomes the listed 123 that Enter would open.
  void typedIdIsNotCompletedFromTheList() {
    MakeData({});
    WriteEmptyTransmittal(Data() + "20040900.123", "123");
    ShowForm();
    QApplication::setActiveWindow(FForm.get());
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    FForm->cmbIds->setFocus();
    FForm->cmbIds->lineEdit()->selectAll();
    QTest::keyClicks(FForm->cmbIds->lineEdit(), "12");
    QCOMPARE(FForm->cmbIds->currentText(), QString("12"));
    QVERIFY(!FForm->bbnOpen->isEnabled());
    QTest::keyClick(KeyTarget(), Qt::Key_Return);
    QVERIFY(frmTrans == nullptr);
    QVERIFY(FForm->isVisible());
  }

  void newEmployerLeftWithExitBeepsAndStays() {
    MakeData({"20040900.045"});
    ShowForm();
    FForm->cmbIds->setEditText("777");
    QString Prompt;
    bool Named = false;
    WhenModalShown([&](QWidget* Modal) {
      Named = Modal->objectName() == "frmEmpName" && Modal == frmEmpName;
      Prompt = frmEmpName->lblEmpName->text();
      frmEmpName->bbnCancel->click();
    });
    FForm->bbnOpen->click();
    QVERIFY(Named);
    QCOMPARE(Prompt, QString("&Enter the employer name for employer 777 : "));
    QVERIFY(frmEmpName == nullptr);
    QVERIFY(frmTrans == nullptr);
    QCOMPARE(FEnv->Beeps, 2);
    QVERIFY(FForm->isVisible());
    QCOMPARE(QDir(Data()).entryList(QDir::Files), QStringList{"20040900.045"});
  }

  void newEmployerCreatedOpensIt() {
    ShowForm();
    FForm->cmbIds->setEditText("777");
    WhenModalShown([&](QWidget*) {
      frmEmpName->edtEmpName->setText("Hillcrest Academy");
      frmEmpName->bbnOpen->click();
    });
    FForm->bbnOpen->click();
    QCOMPARE(QDir(Data()).entryList(QDir::Files), QStringList{"20050900.777"});
    QCOMPARE(QString::fromStdString(SelectedEmployerId), QString("777"));
    QVERIFY(frmTrans != nullptr);
    QVERIFY(!FForm->isVisible());
  }

  // Exit, Esc and the close box end the run at once and touch no file.
  void leaving_data() {
    QTest::addColumn<QString>("How");
    QTest::newRow("Exit") << "exit";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
    // The preparation form closes the hidden window when it closes itself.
    QTest::newRow("closed while hidden") << "hidden";
  }
  void leaving() {
    QFETCH(QString, How);
    MakeData({"20040900.045"});
    ShowForm();
    bool Ended = false;
    connect(FForm.get(), &TfrmOpening::Closed, this, [&] { Ended = true; });
    if (How == "exit") {
      FForm->bbnCancel->click();
    } else if (How == "esc") {
      QApplication::setActiveWindow(FForm.get());
      QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
      QTest::keyClick(KeyTarget(), Qt::Key_Escape);
    } else if (How == "hidden") {
      FForm->hide();
      FForm->close();
    } else {
      FForm->close();
    }
    QVERIFY(Ended);
    QVERIFY(!FForm->isVisible());
    QVERIFY(frmTrans == nullptr);
    QCOMPARE(QDir(Data()).entryList(QDir::Files), QStringList{"20040900.045"});
  }

  void helpButtonAndF1OpenHelp() {
    ShowForm();
    FForm->bbnHelp->click();
    QCOMPARE(FEnv->HelpOpened, 1);
    QApplication::setActiveWindow(FForm.get());
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    FForm->cmbIds->setFocus();
    QTest::keyClick(KeyTarget(), Qt::Key_F1);
    QTest::keyClick(KeyTarget(), Qt::Key_F1, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(FEnv->HelpOpened, 3);
  }
};

QTEST_MAIN(TestVOpening)
#include "test_VOpening.moc"

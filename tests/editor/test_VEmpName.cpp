// The new-employer dialog: its start values, its two refusals and where they put
// the focus, and the first file it writes (header and trailer, no member).

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <sstream>

#include "Controls.h"
#include "FakeEnv.h"
#include "KSFUnits.h"
#include "MaskEdit.h"
#include "PTransShort.h"
#include "QtTestSupport.h"
#include "Utils.h"
#include "VEmpName.h"

namespace {

std::string ReadAll(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  std::ostringstream Bytes;
  Bytes << File.rdbuf();
  return Bytes.str();
}

std::string Padded(const std::string& Text, size_t Width) {
  std::string Result = Text.substr(0, Width);
  Result.resize(Width, ' ');
  return Result;
}

// The first file of an employer as the pension authority expects it: the header,
// the trailer with a count and totals of 0, each line ended by CR LF.
std::string FirstFile(const std::string& Id, const std::string& Name, const std::string& Created,
                      const std::string& Month, const std::string& Year) {
  std::string Header = "HEAD " + Id + Padded(Name, 30) + Created + Month + Year;
  std::string Trailer = "TRAIL";
  for (int i = 0; i < 6; ++i) Trailer += Padded("0", 11);
  Trailer += Year + Month + "00." + Id;
  Trailer += std::string(15, ' ');
  return Header + "\r\n" + Trailer + "\r\n";
}

}  // namespace

class TestVEmpName : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakeEnv> FEnv;
  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmEmpName> FForm;

  std::string DataFolder() const { return FDir->path().toStdString() + "/Data/"; }
  QStringList DataFiles() const {
    return QDir(QString::fromStdString(DataFolder())).entryList(QDir::Files | QDir::Hidden);
  }

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void init() {
    FEnv = std::make_unique<TFakeEnv>();
    FEnv->SetToday(2004, 9, 15);
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    AppDir = FDir->path().toStdString() + "/";
    VersionText.clear();
    HeaderOnly = false;
    NewEmployerId = "045";
    FForm = std::make_unique<TfrmEmpName>();
    FForm->show();
  }

  void cleanup() {
    FForm.reset();
    FEnv.reset();
    FDir.reset();
  }

  void showingStartsFromEmptyNameThisYearAndSeptember() {
    QCOMPARE(FForm->windowTitle(), QString("KSF - Employer Name"));
    QCOMPARE(FForm->lblEmpName->text(), QString("&Enter the employer name for employer 045 : "));
    QCOMPARE(FForm->edtEmpName->text(), QString());
    QCOMPARE(QString::fromStdString(FForm->mskYear->Text()), QString("2004"));
    QCOMPARE(FForm->mskYear->EditMask(), std::string("0000;1;_"));
    QStringList Months;
    for (int i = 0; i < FForm->cmbMonth->count(); ++i) Months << FForm->cmbMonth->itemText(i);
    QCOMPARE(Months, QStringList({"09", "10", "11", "12", "01", "02", "03", "04", "05", "06"}));
    QCOMPARE(FForm->cmbMonth->currentText(), QString("09"));
    QVERIFY(!FForm->cmbMonth->isEditable());

    // A second showing starts afresh.
    FForm->edtEmpName->setText("Old");
    FForm->cmbMonth->setCurrentIndex(4);
    FForm->hide();
    FForm->show();
    QCOMPARE(FForm->edtEmpName->text(), QString());
    QCOMPARE(FForm->cmbMonth->currentText(), QString("09"));
  }

  // Scaled from its design size; Tab goes name, month, year, Exit, Open; the
  // accelerators of the captions reach their boxes.
  void layoutAndTabOrder() {
    QVERIFY(ScreenDPI > 0);
    QCOMPARE(FForm->width(), ScreenDPI * 445 / 96);
    QCOMPARE(FForm->height(), ScreenDPI * 166 / 96);
    for (const char* Name : {"lblEmpName", "edtEmpName", "gbxPeriod", "lblMonth", "cmbMonth", "lblYear",
                             "mskYear", "bbnCancel", "bbnOpen"})
      QVERIFY2(FForm->findChild<QWidget*>(Name) != nullptr, Name);
    QCOMPARE(FForm->gbxPeriod->title(), QString("First reporting period"));
    QCOMPARE(FForm->bbnCancel->text(), QString("E&xit"));
    QCOMPARE(FForm->bbnOpen->text(), QString("&Open"));
    QCOMPARE(FForm->lblMonth->text(), QString("&Month : "));
    QCOMPARE(FForm->lblYear->text(), QString("&Year : "));
    QCOMPARE(FForm->lblEmpName->buddy(), FForm->edtEmpName);
    QCOMPARE(FForm->lblMonth->buddy(), FForm->cmbMonth);
    QCOMPARE(FForm->lblYear->buddy(), FForm->mskYear);
    QCOMPARE(FForm->cmbMonth->maxVisibleItems(), 10);
    QWidget* Order[] = {FForm->cmbMonth, FForm->mskYear, FForm->bbnCancel, FForm->bbnOpen, FForm->edtEmpName};
    QWidget* Current = FForm->edtEmpName;
    for (QWidget* Expected : Order) {
      do Current = Current->nextInFocusChain();
      while (!(Current->focusPolicy() & Qt::TabFocus) || !Current->isVisibleTo(FForm.get()) ||
             Current->focusProxy() != nullptr || Current == FForm.get());
      QCOMPARE(Current, Expected);
    }
  }

  // The name is checked first, then the year; each refusal beeps, says why, puts
  // the focus on the box at fault and leaves the dialog open with nothing written.
  void refusals_data() {
    QTest::addColumn<QString>("Name");
    QTest::addColumn<QString>("Year");
    QTest::addColumn<QString>("Message");
    QTest::addColumn<QString>("Focus");
    QTest::newRow("no name") << "" << "2004" << "The employer name is required!" << "edtEmpName";
    QTest::newRow("no name, bad year too") << "" << "1898" << "The employer name is required!" << "edtEmpName";
    QTest::newRow("year too early") << "Acme" << "1898" << "Invalid year!" << "mskYear";
    QTest::newRow("year too late") << "Acme" << "2110" << "Invalid year!" << "mskYear";
    QTest::newRow("year of two digits") << "Acme" << "20" << "Invalid year!" << "mskYear";
    QTest::newRow("year empty") << "Acme" << "" << "Invalid year!" << "mskYear";
  }
  void refusals() {
    QFETCH(QString, Name);
    QFETCH(QString, Year);
    QFETCH(QString, Message);
    QFETCH(QString, Focus);
    FForm->edtEmpName->setText(Name);
    FForm->mskYear->SetText(Year.toStdString());
    FForm->cmbMonth->setFocus();
    FForm->bbnOpenClick();
    QCOMPARE(FEnv->Beeps, 1);
    QCOMPARE(FEnv->BoxTexts(), std::vector<std::string>{Message.toStdString()});
    QCOMPARE(FEnv->Boxes[0].Caption, std::string("KSF Transmittal Software"));
    QCOMPARE(FEnv->Boxes[0].Buttons, TMsgButtons::OK);
    QVERIFY(FForm->focusWidget() != nullptr);
    QCOMPARE(FForm->focusWidget()->objectName(), Focus);
    QCOMPARE(FForm->ModalResult(), int(mrNone));
    QVERIFY(DataFiles().isEmpty());
  }

  void firstFileIsByteExact() {
    QVERIFY(!QDir(QString::fromStdString(DataFolder())).exists());
    FForm->edtEmpName->setText("Lakeside School District");
    FForm->cmbMonth->setCurrentText("01");
    FForm->mskYear->SetText("2005");
    FForm->bbnOpenClick();
    QCOMPARE(FForm->ModalResult(), int(mrOk));
    QVERIFY(FEnv->Boxes.empty());
    QCOMPARE(DataFiles(), QStringList{"20050100.045"});
    const std::string Bytes = ReadAll(DataFolder() + "20050100.045");
    QCOMPARE(Bytes.size(), size_t(154));
    QCOMPARE(QString::fromLatin1(Bytes.c_str()),
             QString::fromLatin1(
                 FirstFile("045", "Lakeside School District", "09152004", "01", "2005").c_str()));
    QVERIFY(!HeaderOnly);
  }

  // Both bounds of the year range are inside; the name is stored as typed, cut to
  // the header's 30 columns, and blanks count as a name.
  void acceptedNamesAndYears_data() {
    QTest::addColumn<QString>("Name");
    QTest::addColumn<QString>("Year");
    QTest::newRow("earliest year") << "Acme" << "1899";
    QTest::newRow("latest year") << "Acme" << "2109";
    QTest::newRow("three blanks") << "   " << "2004";
    QTest::newRow("longer than 30") << "The Lakeside Unified School District No 4" << "2004";
  }
  void acceptedNamesAndYears() {
    QFETCH(QString, Name);
    QFETCH(QString, Year);
    FForm->edtEmpName->setText(Name);
    FForm->mskYear->SetText(Year.toStdString());
    FForm->bbnOpenClick();
    QCOMPARE(FForm->ModalResult(), int(mrOk));
    const std::string File = Year.toStdString() + "0900.045";
    QCOMPARE(DataFiles(), QStringList{QString::fromStdString(File)});
    QCOMPARE(QString::fromLatin1(ReadAll(DataFolder() + File).c_str()),
             QString::fromLatin1(FirstFile("045", Name.toStdString(), "09152004", "09",
                                           Year.toStdString())
                                     .c_str()));
  }

  // A write that fails must neither leave HeaderOnly set (every later validation
  // would skip the members) nor end the dialog as if the employer existed.
  void failedWriteLeavesDialogOpenAndHeaderOnlyClear() {
    QFile Blocker(FDir->path() + "/Data");
    QVERIFY(Blocker.open(QIODevice::WriteOnly));
    Blocker.close();
    QVERIFY_THROWS_EXCEPTION(EInOutError, WriteFirstTransmittal("045", "Acme", "09", "2004"));
    QVERIFY(!HeaderOnly);

    FForm->edtEmpName->setText("Acme");
    FForm->bbnOpen->click();
    QVERIFY(!HeaderOnly);
    QCOMPARE(FForm->ModalResult(), int(mrNone));
    QCOMPARE(FEnv->Boxes.size(), size_t(1));
    QCOMPARE(FEnv->Boxes[0].Kind, TMsgKind::ErrorBox);
  }

  // A save that writes nothing (here: a name too short for a transmittal file)
  // is said so, and the dialog stays, instead of ending as if the employer existed.
  void unwrittenFileIsNotReportedAsCreated() {
    NewEmployerId = "45";
    FForm->edtEmpName->setText("Acme");
    FForm->bbnOpenClick();
    QCOMPARE(FForm->ModalResult(), int(mrNone));
    QCOMPARE(FEnv->BoxTexts(), std::vector<std::string>{"Coudn't save the file!"});
    QCOMPARE(FEnv->Beeps, 1);
    QVERIFY(DataFiles().isEmpty());
    QVERIFY(!HeaderOnly);
  }

  // Exit, Esc and the close box end the dialog with Cancel and write nothing.
  void leavingWritesNothing_data() {
    QTest::addColumn<QString>("How");
    QTest::newRow("Exit") << "exit";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
  }
  void leavingWritesNothing() {
    QFETCH(QString, How);
    FForm->hide();
    WhenModalShown([&](QWidget*) {
      FForm->edtEmpName->setText("Acme");
      if (How == "exit")
        FForm->bbnCancel->click();
      else if (How == "esc")
        QTest::keyClick(FForm->edtEmpName, Qt::Key_Escape);
      else
        FForm->close();
    });
    QCOMPARE(FForm->ShowModal(), int(mrCancel));
    QVERIFY(DataFiles().isEmpty());
    QVERIFY(FEnv->Boxes.empty());
  }

  void openEndsTheModalDialogWithOk() {
    FForm->hide();
    WhenModalShown([&](QWidget*) {
      FForm->edtEmpName->setText("Acme");
      FForm->bbnOpen->click();
    });
    QCOMPARE(FForm->ShowModal(), int(mrOk));
    QCOMPARE(DataFiles(), QStringList{"20040900.045"});
  }
};

QTEST_MAIN(TestVEmpName)
#include "test_VEmpName.moc"

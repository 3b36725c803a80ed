// Both reports as the user gets them out of the preview: printed to a PDF file
// through the print path (checked with poppler's pdfinfo and pdftotext) and
// saved as text and comma-separated files (checked against golden files). The
// saved files are also left in the output folder for the CSV read-back step.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "../editor/TransFormFixture.h"
#include "FakeReportDialogs.h"
#include "Poppler.h"
#include "QtTestSupport.h"
#include "RMember.h"
#include "RTrans.h"
#include "ReportFixture.h"
#include "ReportPreview.h"
#include "VPrintSel.h"

namespace {

const QString OutputDir = QStringLiteral(KSF_TEST_OUTPUT_DIR);

// Lakeside School's September members: the name, telephone, address and amount
// shapes a clerk meets, fourteen of them so the member report has two pages.
void AddSampleMembers(TReportTrans& Data) {
  TRecord* R = Data.Add("123450001", "Adams", "Mary");
  R->SetAsString(fnNamePrefix, "5");
  R->SetAsString(fnMiddleName, "Louise");
  R->SetAsString(fnGenderCD, "2");
  R->SetAsString(fnPhoneAreaCode, "518");
  R->SetAsString(fnPhoneNumber, "5550101");
  R->SetAsString(fnExtension, "12");
  R->SetAsString(fnAddressLine2, "Apt 4B");
  R->SetAsString(fnAddressZip4, "1234");
  R->SetAsString(fnAddressEMail, "madams@lakeside.k12.ny.us");
  R->SetAsFloat(fnContribVoluntaryPostTax, 25);

  R = Data.Add("123450002", "Baker", "John");
  R->SetAsString(fnNameSuffix, "2");
  R->SetAsString(fnPhoneNumber, "5550102");
  R->SetAsString(fnMaritalStatusCD, "4");
  R->SetAsFloat(fnSalaryPensionAmount, 2345.67);
  R->SetAsFloat(fnSalaryEarnableAmount, 2345.67);
  R->SetAsFloat(fnContribEmployeePreTax, 164.2);
  R->SetAsFloat(fnContribEmployerPreTax, 29.32);

  R = Data.Add("123450003", "O'Brien", "Patrick");
  R->SetAsString(fnNamePrefix, "1");
  R->SetAsString(fnNameSuffix, "3");
  R->SetAsString(fnPhoneAreaCode, "518");  // no number: no telephone
  R->SetAsString(fnMaritalStatusCD, "1");
  R->SetAsString(fnAddressLine1, "7 \"B\" Street");
  R->SetAsFloat(fnContribVoluntaryPostTax, -15.5);

  R = Data.Add("123450004", "Richardson", "Christopher");
  R->SetAsString(fnMiddleName, "Allen");
  R->SetAsString(fnAddressCity, "Saratoga Springs");
  R->SetAsString(fnAddressZip, "12866");
  R->SetAsFloat(fnSalaryPensionAmount, 500);
  R->SetAsFloat(fnSalaryEarnableAmount, 1000);
  R->SetAsFloat(fnSalaryEarnableUnitsWorked, 50);
  R->SetAsFloat(fnContribEmployeePreTax, 35);
  R->SetAsFloat(fnContribEmployerPreTax, 6.25);
  R->SetAsFloat(fnContribContractPostTax, 120);

  const char* Names[] = {"Chen", "Diaz", "Evans", "Fischer", "Garcia",
                         "Hughes", "Ivanova", "Jackson", "Kowalski", "Lopez"};
  for (int I = 0; I < 10; ++I) {
    R = Data.Add("12345" + std::to_string(10005 + I).substr(1), Names[I], "Pat");
    R->SetAsString(fnGenderCD, I % 2 ? "1" : "2");
    R->SetAsString(fnPhoneNumber, "555" + std::to_string(1100 + I));
  }
  Data.Totals();
}

// Opens the report's preview, runs Action on it and closes it.
template <class TReportForm>
void WithPreview(TReportForm& Report, const std::function<void(TReportPreview*)>& Action) {
  bool Shown = false;
  WhenModalShown([&](QWidget* Modal) {
    auto* Preview = qobject_cast<TReportPreview*>(Modal);
    Shown = Preview != nullptr;
    if (Preview != nullptr) Action(Preview);
    Modal->close();
  });
  Report.Preview();
  QVERIFY(Shown);
}

QByteArray ReadFile(const QString& Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

}  // namespace

class TestReportOutput : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    InitializeTransmittalUnits();
    QVERIFY(QDir().mkpath(OutputDir));
  }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void MemberReportPrintsOnLetterPaperWithThePreviewsNumbering() {
    TReportTrans Data;
    AddSampleMembers(Data);
    TFakeReportDialogs Dialogs;
    Dialogs.PdfPath = OutputDir + "/member.pdf";
    QFile::remove(Dialogs.PdfPath);
    TfrmReportMember Report(nullptr);
    WithPreview(Report, [&](TReportPreview* Preview) {
      QCOMPARE(Preview->PageCount(), 2);
      Preview->btnNext->click();
      const TLaidBand First = BandsOf(Report.qrMembers->Layout(), TReportBandType::Detail,
                                      Preview->PageIndex()).at(0);
      QCOMPARE(TextOf(Report.qrMembers->Layout(), First, "qrlN"), std::string("13."));
      Preview->btnPrint->click();
    });
    QCOMPARE(Dialogs.PrintDialogs, 1);
    QCOMPARE(PdfPageCount(Dialogs.PdfPath), 2);
    QCOMPARE(PdfPageSize(Dialogs.PdfPath), QString("612 x 792 pts (letter)"));
    const QString One = PdfPageText(Dialogs.PdfPath, 1);
    for (const char* Text : {"Lakeside School", "Members - September 2004 Transmittal", "1.",
                             "123-45-0001", "Ms. Adams, Mary L.", "(518) 555-0101 / 12",
                             "12 Main St., Apt 4B", "Albany, NY 12207-1234", "Female", "Married",
                             "madams@lakeside.k12.ny.us", "Report date : 09/15/2004", "Page : 1"})
      QVERIFY2(One.contains(Text), Text);
    const QString Two = PdfPageText(Dialogs.PdfPath, 2);
    for (const char* Text : {"Members - September 2004 Transmittal", "13.", "14.", "Lopez",
                             "14 record(s)", "Page : 2"})
      QVERIFY2(Two.contains(Text), Text);
    QVERIFY(!Two.contains("12."));
  }

  void TransactionReportPrintsOnLetterPaper() {
    TReportTrans Data;
    AddSampleMembers(Data);
    TFakeReportDialogs Dialogs;
    Dialogs.PdfPath = OutputDir + "/trans.pdf";
    QFile::remove(Dialogs.PdfPath);
    TfrmReportTrans Report(nullptr);
    WithPreview(Report, [](TReportPreview* Preview) { Preview->btnPrint->click(); });
    QCOMPARE(PdfPageCount(Dialogs.PdfPath), 1);
    QCOMPARE(PdfPageSize(Dialogs.PdfPath), QString("612 x 792 pts (letter)"));
    const QString Text = PdfPageText(Dialogs.PdfPath, 1);
    for (const char* Expected : {"Transactions - September 2004 Transmittal", "Pensionable",
                                 "$2345.67", "50.00%", "$-15.50", "Totals:", "$1039.20",
                                 "Grand Total Receivables:", "14 record(s)", "Page : 1"})
      QVERIFY2(Text.contains(Expected), Expected);
  }

  void SavedFilesMatchTheGoldenFiles_data() {
    QTest::addColumn<bool>("Member");
    QTest::addColumn<QString>("Filter");
    QTest::addColumn<QString>("Name");
    QTest::newRow("member report as text") << true << "Plain text (*.txt)" << "report_member.txt";
    QTest::newRow("member report as CSV")
        << true << "Comma-separated values (*.csv)" << "report_member.csv";
    QTest::newRow("transaction report as text") << false << "Plain text (*.txt)"
                                                << "report_trans.txt";
    QTest::newRow("transaction report as CSV")
        << false << "Comma-separated values (*.csv)" << "report_trans.csv";
  }
  void SavedFilesMatchTheGoldenFiles() {
    QFETCH(bool, Member);
    QFETCH(QString, Filter);
    QFETCH(QString, Name);
    TReportTrans Data;
    AddSampleMembers(Data);
    TFakeReportDialogs Dialogs;
    // Typed without its extension: the chosen format's is added.
    Dialogs.SavePath = OutputDir + "/" + QFileInfo(Name).completeBaseName();
    Dialogs.SaveFilter = Filter;
    QFile::remove(OutputDir + "/" + Name);
    const auto Save = [](TReportPreview* Preview) { Preview->btnSave->click(); };
    if (Member) {
      TfrmReportMember Report(nullptr);
      WithPreview(Report, Save);
    } else {
      TfrmReportTrans Report(nullptr);
      WithPreview(Report, Save);
    }
    QCOMPARE(Dialogs.OfferedFilters,
             (QStringList{"Plain text (*.txt)", "Comma-separated values (*.csv)"}));
    const QByteArray Saved = ReadFile(OutputDir + "/" + Name);
    QVERIFY(!Saved.isEmpty());
    QCOMPARE(Saved, ReadFile(QStringLiteral(KSF_TEST_DATA_DIR) + "/" + Name));
  }

  // Print on the preparation form: the print-option dialog's choice opens that
  // report's preview over the form's file; Cancel opens none.
  void PrintOnThePreparationForm_data() {
    QTest::addColumn<QString>("Button");
    QTest::addColumn<QString>("Title");
    QTest::newRow("demographic") << "btnDemogr" << "Members - October 2004 Transmittal";
    QTest::newRow("transaction") << "btnContr" << "Transactions - October 2004 Transmittal";
    QTest::newRow("cancel") << "btnCancel" << "";
  }
  void PrintOnThePreparationForm() {
    QFETCH(QString, Button);
    QFETCH(QString, Title);
    TFakeEnv Env;
    Env.SetToday(2004, 11, 15);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    QString Shown;
    WhenModalShown([&](QWidget* Modal) {
      auto* Choice = qobject_cast<TfrmPrintQ*>(Modal);
      QVERIFY(Choice != nullptr);
      WhenModalShown([&](QWidget* Next) {
        if (auto* Preview = qobject_cast<TReportPreview*>(Next))
          Shown = QString::fromStdString(
              TextsOf(Preview->Layout(), TReportBandType::PageHeader, "qrlTitle").at(0));
        Next->close();
      }, 500);
      Choice->findChild<QPushButton*>(Button)->click();
    });
    Form->bbnPrint->click();
    QCOMPARE(Shown, Title);
    // Without a preview the watch for it runs out; let it end within the test.
    if (Shown.isEmpty()) QTest::qWait(600);
  }
};

QTEST_MAIN(TestReportOutput)
#include "test_ReportOutput.moc"

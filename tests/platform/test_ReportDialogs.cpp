// The report preview's real save and print dialogs: they open in the user's
// documents folder (or home), then in the folder last used in the run, never in
// the folder the program was started from; and they leave no settings file in
// the user's home or configuration folder. The program runs here with HOME and
// XDG_CONFIG_HOME pointed at folders of the test's own, set before Qt starts.

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "QtTestSupport.h"
#include "ReportDialogs.h"

namespace {

QTemporaryDir* Sandbox = nullptr;

QString Home() { return Sandbox->filePath("home"); }
QString Config() { return Sandbox->filePath("config"); }
QString Elsewhere() { return Sandbox->filePath("elsewhere"); }

// What the save dialog showed, and the file it answered.
struct TSaveRun {
  QString StartFolder;
  QString Answer;
};

// Runs the real save dialog; it saves as File (empty: the user cancels).
TSaveRun RunSaveDialog(const QString& File) {
  TSaveRun Run;
  WhenModalShown([&](QWidget* Modal) {
    auto* Dialog = qobject_cast<QFileDialog*>(Modal);
    if (Dialog == nullptr) {
      Modal->close();
      return;
    }
    Run.StartFolder = Dialog->directory().absolutePath();
    if (File.isEmpty()) {
      Dialog->reject();
      return;
    }
    Dialog->selectFile(File);
    QMetaObject::invokeMethod(Dialog, "accept");
  });
  QString Filter = "Comma-separated values (*.csv)";
  Run.Answer = ReportDialogs().ChooseSaveFile(
      nullptr, "Save Report", {"Plain text (*.txt)", "Comma-separated values (*.csv)"}, Filter);
  return Run;
}

// What the print dialog offered as the PDF file, and whether the user printed.
struct TPrintRun {
  QString OfferedFile;
  bool Printed = false;
};

// Runs the real print dialog over a printer that writes PDF files; the user
// prints, or cancels.
TPrintRun RunPrintDialog(QPrinter& Printer, bool Print) {
  TPrintRun Run;
  WhenModalShown([&](QWidget* Modal) {
    auto* Dialog = qobject_cast<QPrintDialog*>(Modal);
    if (Dialog == nullptr) {
      Modal->close();
      return;
    }
    Run.OfferedFile = Dialog->printer()->outputFileName();
    if (Print)
      Dialog->accept();
    else
      Dialog->reject();
  });
  Run.Printed = ReportDialogs().ChoosePrinter(Printer, 3, nullptr);
  return Run;
}

QString FolderOf(const QString& File) { return QFileInfo(File).absolutePath(); }

// Every file and folder below Root but those named in Allowed.
QStringList EntriesBelow(const QString& Root, const QStringList& Allowed = {}) {
  QStringList Found;
  QDirIterator It(Root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (It.hasNext()) {
    const QString Entry = QDir(Root).relativeFilePath(It.next());
    if (!Allowed.contains(Entry)) Found << Entry;
  }
  return Found;
}

}  // namespace

class TestReportDialogs : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QDir(Home()).removeRecursively();
    QDir(Elsewhere()).removeRecursively();
    QVERIFY(QDir().mkpath(Home()));
    QVERIFY(QDir().mkpath(Elsewhere()));
    // Started from a folder of its own, as from a source checkout.
    QVERIFY(QDir::setCurrent(Sandbox->path()));
  }

  // The first dialog of a run opens in the documents folder, or home when there
  // is none; every later one, save or print, in the folder of the last file
  // saved or printed to. A cancelled dialog changes nothing.
  void DialogsStartInDocumentsThenInTheLastFolder() {
    const QString Documents = Home() + "/Documents";
    QVERIFY(QDir().mkpath(Documents));
    // Each row of the run: the dialog, what the user does, where it must open.
    TSaveRun First = RunSaveDialog(QString());
    QCOMPARE(First.StartFolder, Documents);
    QVERIFY(First.Answer.isEmpty());

    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setDocName("Members - September 2004 Transmittal");
    TPrintRun Print = RunPrintDialog(Printer, false);
    QCOMPARE(Print.OfferedFile, Documents + "/Members - September 2004 Transmittal.pdf");
    QVERIFY(!Print.Printed);

    const QString Saved = Elsewhere() + "/members.csv";
    TSaveRun Second = RunSaveDialog(Saved);
    QCOMPARE(Second.StartFolder, Documents);
    QCOMPARE(Second.Answer, Saved);

    TSaveRun Third = RunSaveDialog(QString());
    QCOMPARE(Third.StartFolder, Elsewhere());

    QPrinter Next(QPrinter::HighResolution);
    Next.setOutputFormat(QPrinter::PdfFormat);
    Next.setDocName("Transactions - September 2004 Transmittal");
    Print = RunPrintDialog(Next, false);
    QCOMPARE(FolderOf(Print.OfferedFile), Elsewhere());

    // Printed to a file the clerk named in another folder: the next save starts there.
    const QString Pdfs = Home() + "/pdf";
    QVERIFY(QDir().mkpath(Pdfs));
    QPrinter ToFile(QPrinter::HighResolution);
    ToFile.setOutputFileName(Pdfs + "/transactions.pdf");
    Print = RunPrintDialog(ToFile, true);
    QVERIFY(Print.Printed);
    QCOMPARE(Print.OfferedFile, Pdfs + "/transactions.pdf");
    QCOMPARE(RunSaveDialog(QString()).StartFolder, Pdfs);
  }

  // Without a documents folder the dialogs open in the home folder; a last
  // folder that has been removed since is passed over the same way.
  void WithoutDocumentsTheyStartAtHome() {
    QVERIFY(!QFileInfo::exists(Home() + "/Documents"));
    const QString Gone = Home() + "/gone";
    QVERIFY(QDir().mkpath(Gone));
    QCOMPARE(RunSaveDialog(Gone + "/a.csv").Answer, Gone + "/a.csv");
    QVERIFY(QDir(Gone).removeRecursively());
    QCOMPARE(RunSaveDialog(QString()).StartFolder, Home());
  }

  // Saving, cancelling and printing leave nothing in the home or configuration
  // folder (Qt's dialogs would keep their history in QtProject.conf).
  void TheDialogsLeaveNoSettingsFile() {
    const QString Saved = Elsewhere() + "/members.txt";
    QCOMPARE(RunSaveDialog(Saved).Answer, Saved);
    RunSaveDialog(QString());
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFileName(Elsewhere() + "/members.pdf");
    RunPrintDialog(Printer, true);
    QPrinter Cancelled(QPrinter::HighResolution);
    RunPrintDialog(Cancelled, false);
    QCoreApplication::processEvents();
    QCOMPARE(EntriesBelow(Home()), QStringList());
    QCOMPARE(EntriesBelow(Config()), QStringList());
  }
};

int main(int argc, char** argv) {
  // The user's folders, before Qt first reads where they are.
  QTemporaryDir Root;
  if (!Root.isValid()) return 1;
  Sandbox = &Root;
  QDir().mkpath(Root.filePath("home"));
  QDir().mkpath(Root.filePath("config"));
  setenv("HOME", Root.filePath("home").toLocal8Bit().constData(), 1);
  setenv("XDG_CONFIG_HOME", Root.filePath("config").toLocal8Bit().constData(), 1);
  // Caches and runtime files are no settings; they are kept out of the way.
  setenv("XDG_CACHE_HOME", Root.filePath("cache").toLocal8Bit().constData(), 1);
  setenv("XDG_DATA_HOME", Root.filePath("data").toLocal8Bit().constData(), 1);
  QApplication App(argc, argv);
  TestReportDialogs Test;
  return QTest::qExec(&Test, argc, argv);
}
#include "test_ReportDialogs.moc"

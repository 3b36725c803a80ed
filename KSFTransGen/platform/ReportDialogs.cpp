#include "ReportDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace {
TReportDialogs RealDialogs;
TReportDialogs* Current = nullptr;
// The folder of the file last saved or printed to in this run; empty before the first.
QString GLastFolder;

// Qt's own dialogs keep their history (the last folder, the side bar, the view)
// in a settings file of the user's, and a platform's native file dialog keeps
// its own. This program keeps no settings: its dialogs are Qt's, and their
// settings are pointed into a folder that cannot exist (one inside /dev/null),
// so reading them finds nothing and writing them fails without a trace.
void KeepDialogsFromWritingSettings() {
  static const bool Done = [] {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QString Nowhere = QStringLiteral("/dev/null/settings");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Nowhere);
    return true;
  }();
  (void)Done;
}

void RememberFolderOf(const QString& File) {
  if (!File.isEmpty()) GLastFolder = QFileInfo(File).absolutePath();
}
}  // namespace

QString ReportFolder() {
  if (!GLastFolder.isEmpty() && QFileInfo(GLastFolder).isDir()) return GLastFolder;
  const QString Documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!Documents.isEmpty() && QFileInfo(Documents).isDir()) return Documents;
  return QDir::homePath();
}

bool TReportDialogs::ChoosePrinter(QPrinter& Printer, int32_t PageCount, QWidget* Parent) {
  KeepDialogsFromWritingSettings();
  // A PDF file is offered in the report folder, named after the report, instead
  // of in whatever folder the program was started from. Naming the file must not
  // turn a printer into a file: the kind of output stays as it was.
  if (Printer.outputFileName().isEmpty()) {
    const QPrinter::OutputFormat Format = Printer.outputFormat();
    QString Name = Printer.docName().isEmpty() ? QStringLiteral("report") : Printer.docName();
    Name.replace('/', '-');
    Printer.setOutputFileName(QDir(ReportFolder()).filePath(Name + ".pdf"));
    if (Printer.outputFormat() != Format) Printer.setOutputFormat(Format);
  }
  QPrintDialog Dialog(&Printer, Parent);
  Dialog.setMinMax(1, PageCount);
  Dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
  if (Dialog.exec() != QDialog::Accepted) return false;
  if (Printer.outputFormat() == QPrinter::PdfFormat) RememberFolderOf(Printer.outputFileName());
  return true;
}

QString TReportDialogs::ChooseSaveFile(QWidget* Parent, const QString& Caption,
                                       const QStringList& Filters, QString& SelectedFilter) {
  // The chosen format's extension is added to a name typed without one before
  // the dialog checks for an existing file, so the replace question is asked
  // about the file that will really be written.
  const auto SuffixOf = [](const QString& Filter) {
    const QRegularExpressionMatch Match =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(Filter);
    return Match.hasMatch() ? Match.captured(1) : QString();
  };
  KeepDialogsFromWritingSettings();
  QFileDialog Dialog(Parent, Caption, ReportFolder(), Filters.join(";;"));
  Dialog.setObjectName("dlgSave");
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.selectNameFilter(SelectedFilter);
  Dialog.setDefaultSuffix(SuffixOf(SelectedFilter));
  QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog,
                   [&Dialog, SuffixOf](const QString& Filter) {
                     Dialog.setDefaultSuffix(SuffixOf(Filter));
                   });
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return QString();
  SelectedFilter = Dialog.selectedNameFilter();
  RememberFolderOf(Dialog.selectedFiles().front());
  return Dialog.selectedFiles().front();
}

TReportDialogs& ReportDialogs() { return Current != nullptr ? *Current : RealDialogs; }

TReportDialogs* SetReportDialogs(TReportDialogs* Dialogs) {
  TReportDialogs* Previous = Current;
  Current = Dialogs;
  return Previous;
}

#include "ReportDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace {
TReportDialogs RealDialogs;
TReportDialogs* Current = nullptr;
}  // namespace

bool TReportDialogs::ChoosePrinter(QPrinter& Printer, int32_t PageCount, QWidget* Parent) {
  QPrintDialog Dialog(&Printer, Parent);
  Dialog.setMinMax(1, PageCount);
  Dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
  return Dialog.exec() == QDialog::Accepted;
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
  QFileDialog Dialog(Parent, Caption, QString(), Filters.join(";;"));
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
  return Dialog.selectedFiles().front();
}

TReportDialogs& ReportDialogs() { return Current != nullptr ? *Current : RealDialogs; }

TReportDialogs* SetReportDialogs(TReportDialogs* Dialogs) {
  TReportDialogs* Previous = Current;
  Current = Dialogs;
  return Previous;
}

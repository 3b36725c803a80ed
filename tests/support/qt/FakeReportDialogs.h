#pragma once
// Answers for the report preview's print and save dialogs, installed for the
// fake's lifetime, so tests print and save without a real dialog.

#include <QPrinter>
#include <QString>
#include <QStringList>

#include "ReportDialogs.h"

class TFakeReportDialogs : public TReportDialogs {
 public:
  TFakeReportDialogs() : FPrevious(SetReportDialogs(this)) {}
  ~TFakeReportDialogs() override { SetReportDialogs(FPrevious); }
  TFakeReportDialogs(const TFakeReportDialogs&) = delete;
  TFakeReportDialogs& operator=(const TFakeReportDialogs&) = delete;

  // The print dialog prints to this PDF file; empty: the user cancels it.
  QString PdfPath;
  // A page range the user chose (1-based); 0: all pages.
  int FromPage = 0;
  int ToPage = 0;
  int PrintDialogs = 0;
  int PrintDialogPageCount = 0;

  // The save dialog answers this file (empty: cancel) and, when set, this filter.
  QString SavePath;
  QString SaveFilter;
  int SaveDialogs = 0;
  QStringList OfferedFilters;

  bool ChoosePrinter(QPrinter& Printer, int32_t PageCount, QWidget*) override {
    ++PrintDialogs;
    PrintDialogPageCount = PageCount;
    if (PdfPath.isEmpty()) return false;
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(PdfPath);
    if (FromPage > 0) {
      Printer.setPrintRange(QPrinter::PageRange);
      Printer.setFromTo(FromPage, ToPage);
    }
    return true;
  }

  QString ChooseSaveFile(QWidget*, const QString&, const QStringList& Filters,
                         QString& SelectedFilter) override {
    ++SaveDialogs;
    OfferedFilters = Filters;
    if (!SaveFilter.isEmpty()) SelectedFilter = SaveFilter;
    return SavePath;
  }

 private:
  TReportDialogs* FPrevious;
};

#pragma once
// The seam between the report preview and the two system dialogs it asks: the
// print dialog and the save dialog. The program uses the real dialogs; tests
// install their own answers, so no real modal dialog opens under test.
//
// Both real dialogs start in the report folder (ReportFolder): the folder of the
// file last saved or printed to in this run, else the user's documents folder,
// else the home folder; never the folder the program was started from. They
// leave no settings file behind.

#include <QString>
#include <QStringList>
#include <cstdint>

class QPrinter;
class QWidget;

class TReportDialogs {
 public:
  virtual ~TReportDialogs() = default;

  // Shows the print dialog for a report of PageCount pages over Printer, which
  // is set up for the report's paper; the user's choices (printer or PDF file,
  // page range, copies) end up in Printer. True when the user chose to print.
  // A PDF file is offered in the report folder, named after the document.
  virtual bool ChoosePrinter(QPrinter& Printer, int32_t PageCount, QWidget* Parent);

  // Asks for the name of a file to save to, offering Filters ("Plain text
  // (*.txt)", ...); SelectedFilter comes in as the one to start with and goes out
  // as the one chosen. An empty name when the user cancels. The dialog asks
  // before an existing file is replaced.
  virtual QString ChooseSaveFile(QWidget* Parent, const QString& Caption,
                                 const QStringList& Filters, QString& SelectedFilter);
};

// Where the real dialogs start: the folder of the last file saved or printed to
// in this run, else the user's documents folder, else the home folder.
QString ReportFolder();

// The dialogs in force; never null.
TReportDialogs& ReportDialogs();

// Installs dialogs (not owned) and returns the previous ones; null restores the real ones.
TReportDialogs* SetReportDialogs(TReportDialogs* Dialogs);

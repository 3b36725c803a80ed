#pragma once
// Export filters: a report's pages saved as a file instead of printed. Each
// filter made with a report as its owner adds its format to the preview's save
// dialog (TReport::Filters).
//
// Both formats are read from the layout, so a file holds what the preview
// shows, with the same numbering, and every line ends with CR LF as the
// program's other files do. Text is written byte for byte as the program holds
// it (single-byte characters).
// - Plain text: each page as the lines it reads top to bottom; labels that
//   share a line share a text line, each at the column of its position on the
//   page (one column for 6/96 inch), always at least one blank apart; a rule is
//   a line of dashes; pages are separated by an empty line.
// - Comma-separated: the detail bands as a table a spreadsheet can sort and
//   add up. The first row holds the column titles: one column for every label
//   of the detail band (fixed texts too, not rules), in reading order - top to
//   bottom, then left to right, as the band is designed - each titled by the
//   label's ColumnTitle, or by its name when it has none. Then one row for
//   every detail band, in page order, each with one field per column: the
//   label's text as its box shows it, an empty label an empty field. So a
//   detail that takes several lines on the page is still one row, every field
//   under its own title. The page header and footer, the column header and
//   the summary are left out: titles, page numbers and dates belong to the
//   printed page, and a spreadsheet would add a totals row up with the details
//   (and a report's totals may cover records its details leave out, such as
//   members hidden by a search, so they need not match the rows above).
//   Every field is quoted, a quote inside doubled (RFC 4180).

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "ReportLayout.h"

class TReport;

class TReportExportFilter : public QObject {
  Q_OBJECT
 public:
  // As the save dialog lists it, for example "Plain text (*.txt)".
  virtual QString Description() const = 0;
  // The file name extension without the dot, given to a name typed without one.
  virtual QString Extension() const = 0;
  // Appends one page (0-based) of the layout to Out.
  virtual void WritePage(const TReportLayout& Layout, int32_t PageIndex, std::string& Out) const = 0;

  // Writes every page to the file at Path, telling Progress after each page.
  // The file appears complete or not at all: an existing file is replaced only
  // when the whole export is written. False when cancelled or when the file
  // cannot be written (then Error says why).
  bool Export(const TReportLayout& Layout, const QString& Path, const TReportProgress& Progress,
              std::string& Error) const;

 protected:
  TReportExportFilter(TReport* Report, const char* Name);
};

class TReportTextFilter : public TReportExportFilter {
  Q_OBJECT
 public:
  TReportTextFilter(TReport* Report, const char* Name);
  QString Description() const override;
  QString Extension() const override;
  void WritePage(const TReportLayout& Layout, int32_t PageIndex, std::string& Out) const override;
};

class TReportCSVFilter : public TReportExportFilter {
  Q_OBJECT
 public:
  TReportCSVFilter(TReport* Report, const char* Name, char Separator = ',');
  QString Description() const override;
  QString Extension() const override;
  void WritePage(const TReportLayout& Layout, int32_t PageIndex, std::string& Out) const override;

  char Separator;
};

#pragma once
// Reading PDF files that tests print, with poppler's command-line tools
// (Debian's poppler-utils): the page count and size, and the text of a page.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The tool's standard output; empty (with a warning) when it cannot run or fails.
inline QString RunPoppler(const QString& Tool, const QStringList& Arguments) {
  QProcess Process;
  Process.start(Tool, Arguments);
  if (!Process.waitForFinished(30000) || Process.exitStatus() != QProcess::NormalExit ||
      Process.exitCode() != 0) {
    qWarning("%s failed: %s", qPrintable(Tool), Process.readAllStandardError().constData());
    return QString();
  }
  return QString::fromLatin1(Process.readAllStandardOutput());
}

// The number of pages pdfinfo reports; -1 when it reports none.
inline int PdfPageCount(const QString& Pdf) {
  const QRegularExpressionMatch Match =
      QRegularExpression("Pages:\\s+(\\d+)").match(RunPoppler("pdfinfo", {Pdf}));
  return Match.hasMatch() ? Match.captured(1).toInt() : -1;
}

// The page size line of pdfinfo, for example "612 x 792 pts (letter)".
inline QString PdfPageSize(const QString& Pdf) {
  const QRegularExpressionMatch Match =
      QRegularExpression("Page size:\\s+([^\\n]+)").match(RunPoppler("pdfinfo", {Pdf}));
  return Match.hasMatch() ? Match.captured(1).trimmed() : QString();
}

// The text of one page (1-based), laid out as on the page.
inline QString PdfPageText(const QString& Pdf, int Page) {
  return RunPoppler("pdftotext", {"-layout", "-f", QString::number(Page), "-l",
                                  QString::number(Page), Pdf, "-"});
}

// The two reports over a very large employer: 100,000 members, about 8,300
// pages of member report and 2,900 of transaction report.
// - opening the preview: the run (before print, need data, layout) and the
//   window with its first page painted;
// - moving to the last page and painting it;
// - printing every page to a PDF file, and saving every page as text and CSV.
// The counters give the pages, the layout's size and the process's peak memory.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>
#include <memory>
#include <string>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "RMember.h"
#include "RTrans.h"
#include "Report.h"
#include "ReportExport.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "BenchMembers.h"
#include "TransFixtures.h"
#include "Utils.h"

namespace {

constexpr int MemberCount = 100000;

// The employer in memory as the preparation form holds it, with names,
// telephones, addresses and amounts varied the way real members vary.
struct TBigEmployer {
  TBigEmployer() {
    Env.SetToday(2004, 9, 15);
    FillValidHeader(T, "Big District");
    for (int I = 0; I < MemberCount; ++I) {
      TRecord* R = AddBenchMember(T, BenchSSN(I), I);
      R->SetAsString(fnMiddleName, I % 3 ? "Lee" : "");
      R->SetAsString(fnNameSuffix, I % 11 ? "0" : "2");
      R->SetAsString(fnPhoneAreaCode, I % 4 ? "518" : "");
      R->SetAsString(fnPhoneNumber, "5551234");
      R->SetAsString(fnExtension, I % 9 ? "" : "123");
      R->SetAsString(fnAddressLine2, I % 5 ? "" : "Apt 12");
      R->SetAsString(fnAddressZip4, I % 2 ? "1234" : "");
      R->SetAsString(fnAddressEMail, "member" + std::to_string(I) + "@district.org");
    }
    // The trailer as a save or a refresh leaves it; the transaction report prints it.
    T.SetTrailerTotals(T.MemberTotals());
    Trans = &T;
  }
  TFakeEnv Env;
  TTransShort T;
};

TBigEmployer& Employer() {
  static TBigEmployer E;
  return E;
}

// The process's peak resident memory, in megabytes.
double PeakMegabytes() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmHWM:", 0) == 0) return std::stod(Line.substr(6)) / 1024.0;
  return 0;
}

template <class TForm>
TReport* ReportOf(TForm& Form);
template <>
TReport* ReportOf(TfrmReportMember& Form) {
  return Form.qrMembers;
}
template <>
TReport* ReportOf(TfrmReportTrans& Form) {
  return Form.qrTrans;
}

// From choosing the report to its first page painted in the preview.
template <class TForm>
void BM_OpenPreview(benchmark::State& State) {
  Employer();
  for (auto _ : State) {
    TForm Form(nullptr);
    TReport* Report = ReportOf(Form);
    Report->Prepare();
    TReportPreview Preview(*Report, nullptr);
    Preview.resize(900, 1000);
    Preview.show();
    benchmark::DoNotOptimize(Preview.pnlPage->grab());
    State.PauseTiming();
    State.counters["pages"] = Preview.PageCount();
    State.counters["layout_MB"] = Report->Layout().MemoryBytes() / 1048576.0;
    State.counters["peak_MB"] = PeakMegabytes();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPreview<TfrmReportMember>)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenPreview<TfrmReportTrans>)->Unit(benchmark::kMillisecond)->Iterations(3);

// Moving to the last page and painting it, then back to the first.
template <class TForm>
void BM_GoToLastPage(benchmark::State& State) {
  Employer();
  TForm Form(nullptr);
  TReport* Report = ReportOf(Form);
  Report->Prepare();
  TReportPreview Preview(*Report, nullptr);
  Preview.resize(900, 1000);
  Preview.show();
  QCoreApplication::processEvents();
  for (auto _ : State) {
    Preview.btnLast->click();
    Preview.pnlPage->repaint();
    State.PauseTiming();
    Preview.SetPageIndex(0);
    State.ResumeTiming();
  }
}
BENCHMARK(BM_GoToLastPage<TfrmReportMember>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoToLastPage<TfrmReportTrans>)->Unit(benchmark::kMillisecond);

template <class TForm>
void BM_PrintAllToPdf(benchmark::State& State) {
  Employer();
  TForm Form(nullptr);
  TReport* Report = ReportOf(Form);
  Report->Prepare();
  QTemporaryDir Dir;
  for (auto _ : State) {
    QPrinter Printer(QPrinter::HighResolution);
    SetUpReportPrinter(Printer, Report->Page);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Dir.filePath("all.pdf"));
    std::string Error;
    if (!PrintReport(Report->Layout(), Printer, 0, Report->Layout().PageCount() - 1, nullptr,
                     Error))
      State.SkipWithError(Error.c_str());
  }
  State.counters["pages"] = Report->Layout().PageCount();
  State.counters["pdf_MB"] = QFile(Dir.filePath("all.pdf")).size() / 1048576.0;
  State.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_PrintAllToPdf<TfrmReportMember>)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PrintAllToPdf<TfrmReportTrans>)->Unit(benchmark::kMillisecond)->Iterations(1);

template <class TForm, bool Csv>
void BM_SaveAll(benchmark::State& State) {
  Employer();
  TForm Form(nullptr);
  TReport* Report = ReportOf(Form);
  Report->Prepare();
  const TReportExportFilter* Filter = Report->Filters()[Csv ? 1 : 0];
  QTemporaryDir Dir;
  const QString Path = Dir.filePath(Csv ? "all.csv" : "all.txt");
  for (auto _ : State) {
    std::string Error;
    if (!Filter->Export(Report->Layout(), Path, nullptr, Error)) State.SkipWithError(Error.c_str());
  }
  State.counters["file_MB"] = QFile(Path).size() / 1048576.0;
}
BENCHMARK(BM_SaveAll<TfrmReportMember, false>)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveAll<TfrmReportMember, true>)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveAll<TfrmReportTrans, false>)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveAll<TfrmReportTrans, true>)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  InitializeTransmittalUnits();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Trans = nullptr;
  FinalizeTransmittalUnits();
  return 0;
}

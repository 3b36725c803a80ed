// The preparation form over a very large employer: 100,000 members.
// Opening (load, silent validation, both grids filled), a refresh after a sort,
// and a full repaint of the visible grid.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "StringGrid.h"
#include "BenchMembers.h"
#include "TransFixtures.h"
#include "Utils.h"
#include "VMain.h"
#include "VOpening.h"

namespace {

constexpr int MemberCount = 100000;

struct TBigEmployer {
  TBigEmployer() {
    AppDir = Dir.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(AppDir + "Data"));
    TTransShort T;
    T.FileName = AppDir + "Data/20041000.123";
    T.Header->SetAsString(fnBatchEmployerName, "Big District");
    for (int I = 0; I < MemberCount; ++I) {
      // Genders varied too, so sorting by them has work.
      TRecord* R = AddBenchMember(T, BenchSSN(I), I);
      R->SetAsString(fnGenderCD, I % 2 ? "1" : "2");
      R->SetAsString(fnPhoneNumber, "5551234");
    }
    T.SaveToFile(true);
  }
  QTemporaryDir Dir;
};

TBigEmployer& Employer() {
  static TBigEmployer E;
  return E;
}

std::unique_ptr<TfrmTrans> OpenForm() {
  SelectedEmployerId = "123";
  auto Form = std::make_unique<TfrmTrans>();
  frmTrans = Form.get();
  Form->show();
  return Form;
}

void BM_OpenLargeTransmittal(benchmark::State& State) {
  Employer();
  TFakeEnv Env;
  Env.SetToday(2004, 11, 15);
  for (auto _ : State) {
    auto Form = OpenForm();
    benchmark::DoNotOptimize(Form->sgrContr->RowCount());
    State.PauseTiming();
    if (Form->sgrContr->RowCount() != MemberCount + 1) State.SkipWithError("grid not filled");
    if (Form->chbSaveError->Checked()) State.SkipWithError("validation failed");
    Form.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_OpenLargeTransmittal)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RefreshAfterSort(benchmark::State& State) {
  Employer();
  TFakeEnv Env;
  Env.SetToday(2004, 11, 15);
  auto Form = OpenForm();
  for (auto _ : State) {
    Trans->SortByField(fnLastName);
    Form->RefreshGrids();
  }
}
BENCHMARK(BM_RefreshAfterSort)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RefreshOnly(benchmark::State& State) {
  Employer();
  TFakeEnv Env;
  Env.SetToday(2004, 11, 15);
  auto Form = OpenForm();
  for (auto _ : State) Form->RefreshGrids();
}
BENCHMARK(BM_RefreshOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RepaintVisibleGrid(benchmark::State& State) {
  Employer();
  TFakeEnv Env;
  Env.SetToday(2004, 11, 15);
  auto Form = OpenForm();
  Form->resize(1024, 768);
  Form->pgcTrans->RequestPage(2);
  QCoreApplication::processEvents();
  QWidget* Viewport = Form->sgrContr->viewport();
  for (auto _ : State) Viewport->repaint();
}
BENCHMARK(BM_RepaintVisibleGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  InitializeTransmittalUnits();
  ScreenDPI = 96;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FinalizeTransmittalUnits();
  return 0;
}

// The member detail form over a very large employer: a month of three files
// (amendments 0, 1 and 2) of 100,000 members each, the newest open in the real
// preparation form offscreen. Stepping through the members, saving one edited
// member, Cancel, and the SSN check when the ninth digit is typed.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "MaskEdit.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "StringGrid.h"
#include "BenchMembers.h"
#include "TransFixtures.h"
#include "Utils.h"
#include "VDemogr.h"
#include "VMain.h"
#include "VOpening.h"

namespace {

constexpr int MemberCount = 100000;

// Member I of amendment A: SSNs never repeat across the month.
std::string SSNOf(int A, int I) { return BenchSSN(I, A * 3000000); }

struct TBigMonth {
  TBigMonth() {
    AppDir = Dir.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(AppDir + "Data"));
    for (int A = 0; A < 3; ++A) {
      TTransShort T;
      T.FileName = AppDir + "Data/200410" + std::to_string(A) + "0.123";
      T.Header->SetAsString(fnBatchEmployerName, "Big District");
      for (int I = 0; I < MemberCount; ++I) {
        AddBenchMember(T, SSNOf(A, I), I)->SetAsString(fnPhoneNumber, "5551234");
      }
      T.SaveToFile(true);
    }
  }
  QTemporaryDir Dir;
};

TBigMonth& Month() {
  static TBigMonth M;
  return M;
}

// The preparation form on the newest file of the month, and the detail form
// shown (not modally, so the benchmark can drive it) on member K.
struct TOpenDetail {
  explicit TOpenDetail(int32_t K = MemberCount / 2) {
    Month();
    Env.SetToday(2004, 11, 15);
    SelectedEmployerId = "123";
    InsertMode = false;
    Form = std::make_unique<TfrmTrans>();
    frmTrans = Form.get();
    Form->show();
    Trans->CurIndex = K;
    frmMbrDetail->show();
    QCoreApplication::processEvents();
  }
  ~TOpenDetail() {
    frmMbrDetail->hide();
    Form.reset();
  }
  TFakeEnv Env;
  std::unique_ptr<TfrmTrans> Form;
};

// One navigation button, over all members or with only the last one shown.
void Navigate(benchmark::State& State, void (TfrmMbrDetail::*Click)(), int32_t Start,
              bool OnlyLastShown) {
  TOpenDetail Open(Start);
  if (OnlyLastShown) {
    for (TRecord* R : Trans->Details) R->Visible = false;
    Trans->Details[MemberCount - 1]->Visible = true;
  }
  for (auto _ : State) {
    State.PauseTiming();
    Trans->CurIndex = Start;
    State.ResumeTiming();
    (frmMbrDetail->*Click)();
  }
  if (frmMbrDetail->Mode != 'B') State.SkipWithError("not browsing");
}

void BM_Next(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnNextClick, MemberCount / 2, false);
}
void BM_Prior(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnPriorClick, MemberCount / 2, false);
}
void BM_First(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnFirstClick, MemberCount / 2, false);
}
void BM_Last(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnLastClick, MemberCount / 2, false);
}
// Under the filter every step but Last walks past the 99,999 hidden members:
// Next and First land on the last member, Prior finds nobody before it and beeps.
void BM_NextOnlyLastShown(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnNextClick, 0, true);
}
void BM_PriorOnlyLastShown(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnPriorClick, MemberCount - 1, true);
}
void BM_FirstOnlyLastShown(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnFirstClick, MemberCount - 1, true);
}
void BM_LastOnlyLastShown(benchmark::State& S) {
  Navigate(S, &TfrmMbrDetail::bbnLastClick, 0, true);
}
BENCHMARK(BM_Next)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Prior)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_First)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Last)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextOnlyLastShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriorOnlyLastShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOnlyLastShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastOnlyLastShown)->Unit(benchmark::kMillisecond);

// Marks the month's files as written since they were last read.
void TouchMonth() {
  for (int A = 0; A < 3; ++A)
    ::utimensat(AT_FDCWD, (AppDir + "Data/200410" + std::to_string(A) + "0.123").c_str(), nullptr,
                0);
}

// An edited member saved: its checks (the SSN among the month's 300,000), the
// whole file validated and rewritten, the grids refilled. The month's files have
// been read by an earlier check.
void BM_SaveEditedMember(benchmark::State& State) {
  TOpenDetail Open;
  ValidateSSN("999999999", 0);
  int Round = 0;
  for (auto _ : State) {
    State.PauseTiming();
    frmMbrDetail->edtFirstName->SetText(++Round % 2 ? "Carla" : "Carl");
    State.ResumeTiming();
    if (!frmMbrDetail->SaveRecord()) State.SkipWithError("not saved");
  }
}
BENCHMARK(BM_SaveEditedMember)->Unit(benchmark::kMillisecond)->Iterations(5);

// Cancel of an edit: the file read again, validated, the grids refilled.
void BM_Cancel(benchmark::State& State) {
  TOpenDetail Open;
  for (auto _ : State) {
    State.PauseTiming();
    frmMbrDetail->edtFirstName->SetText("Changed");
    State.ResumeTiming();
    frmMbrDetail->bbnCancelClick();
  }
  if (frmMbrDetail->Mode != 'B') State.SkipWithError("not browsing");
}
BENCHMARK(BM_Cancel)->Unit(benchmark::kMillisecond)->Iterations(5);

// The ninth digit of a changed SSN typed: the number is looked for in the
// month's three files. The first check after the files were written (each read
// once), then the checks that follow.
void BM_SSNCheckFirstOfTheMonth(benchmark::State& State) {
  TOpenDetail Open;
  for (auto _ : State) {
    State.PauseTiming();
    frmMbrDetail->mskSSN->SetText("99999999");
    TouchMonth();
    State.ResumeTiming();
    frmMbrDetail->mskSSN->SetText("999999999");
  }
  if (!Open.Env.Boxes.empty()) State.SkipWithError("the SSN was refused");
}
BENCHMARK(BM_SSNCheckFirstOfTheMonth)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SSNCheckOnNinthDigit(benchmark::State& State) {
  TOpenDetail Open;
  ValidateSSN("999999999", 0);
  int Round = 0;
  for (auto _ : State) {
    State.PauseTiming();
    frmMbrDetail->mskSSN->SetText("99999999");
    const std::string Typed = "99999999" + std::to_string(Round++ % 10);
    State.ResumeTiming();
    frmMbrDetail->mskSSN->SetText(Typed);
  }
  if (!Open.Env.Boxes.empty()) State.SkipWithError("the SSN was refused");
}
BENCHMARK(BM_SSNCheckOnNinthDigit)->Unit(benchmark::kMillisecond)->Iterations(10);

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

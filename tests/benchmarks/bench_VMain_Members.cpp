// The member commands over a very large employer (100,000 members) in the
// real preparation form: Sort by a column, Show All, Search on a last name and
// on an amount (each with its grid refresh), Show Errors on a file where every
// member fails one rule up to the message window shown with every line, and
// scrolling that window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <memory>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtTestSupport.h"
#include "StringGrid.h"
#include "BenchMembers.h"
#include "TransFixtures.h"
#include "Utils.h"
#include "VMain.h"
#include "VMessage.h"
#include "VOpening.h"
#include "VSearch.h"

namespace {

constexpr int MemberCount = 100000;

// Employer 123: every member valid. Employer 124: every member's health
// contribution is 0, which fails one rule.
struct TBigEmployers {
  TBigEmployers() {
    AppDir = Dir.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(AppDir + "Data"));
    Write("123", true);
    Write("124", false);
  }
  void Write(const std::string& Id, bool Valid) {
    TTransShort T;
    T.FileName = AppDir + "Data/20041000." + Id;
    T.Header->SetAsString(fnBatchEmployerName, "Big District");
    for (int I = 0; I < MemberCount; ++I) {
      TRecord* R = AddBenchMember(T, BenchSSN(I), I);
      R->SetAsString(fnGenderCD, I % 2 ? "1" : "2");
      if (!Valid) R->SetAsFloat(fnContribEmployerPreTax, 0);
    }
    T.SaveToFile(true);
  }
  QTemporaryDir Dir;
};

TBigEmployers& Employers() {
  static TBigEmployers E;
  return E;
}

// The fake environment, but the collected messages go to the real message window.
class TWindowEnv : public TFakeEnv {
 public:
  void ShowMessages(const std::vector<std::string>& Messages) override {
    TFakeEnv::ShowMessages(Messages);
    frmMessage->ShowMessages(Messages);
  }
};

struct TOpen {
  explicit TOpen(const std::string& Id) {
    Employers();
    Env.SetToday(2004, 11, 15);
    SelectedEmployerId = Id;
    Form = std::make_unique<TfrmTrans>();
    frmTrans = Form.get();
    Form->resize(1024, 768);
    Form->show();
    Form->pgcTrans->RequestPage(2);
    QCoreApplication::processEvents();
  }
  ~TOpen() {
    Form.reset();
    frmTrans = nullptr;
  }
  TWindowEnv Env;
  std::unique_ptr<TfrmTrans> Form;
};

void BM_SortByColumn(benchmark::State& State) {
  TOpen Open("123");
  for (auto _ : State) {
    Open.Form->sgrContr->SetCol(5);
    Open.Form->bbnSort->click();
  }
  if (Open.Form->StatusBar->PanelText(1).rfind("Sorted by regular amont", 0) != 0)
    State.SkipWithError("not sorted");
}
BENCHMARK(BM_SortByColumn)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_ShowAll(benchmark::State& State) {
  TOpen Open("123");
  for (auto _ : State) {
    State.PauseTiming();
    for (int I = 0; I < Trans->Details.Count(); I += 2) Trans->Details[I]->Visible = false;
    State.ResumeTiming();
    Open.Form->bbnShowAll->click();
  }
  if (static_cast<int>(VisibleRows.size()) != MemberCount) State.SkipWithError("not all shown");
}
BENCHMARK(BM_ShowAll)->Unit(benchmark::kMillisecond)->Iterations(6);

// The search command with its dialog answered at once: field, operator, value.
void Search(TfrmTrans* Form, int Field, int Op, const char* Value) {
  WhenModalShown([=](QWidget* Modal) {
    auto* Dialog = qobject_cast<TfrmSearch*>(Modal);
    if (Dialog == nullptr) return;
    Dialog->lbxFields->setCurrentRow(Field);
    Dialog->lbxOps->setCurrentRow(Op);
    Dialog->edtValue->setText(Value);
    Dialog->btnSearch->click();
  });
  Form->bbnSearch->click();
}

void BM_SearchLastName(benchmark::State& State) {
  TOpen Open("123");
  for (auto _ : State) Search(Open.Form.get(), 1, soGreater, "NAMEM");
  if (VisibleRows.empty() || static_cast<int>(VisibleRows.size()) == MemberCount)
    State.SkipWithError("no filter");
}
BENCHMARK(BM_SearchLastName)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_SearchAmount(benchmark::State& State) {
  TOpen Open("123");
  for (auto _ : State) Search(Open.Form.get(), 4, soGreaterOrEqual, "1250.00");
  if (static_cast<int>(VisibleRows.size()) != MemberCount / 2) State.SkipWithError("wrong filter");
}
BENCHMARK(BM_SearchAmount)->Unit(benchmark::kMillisecond)->Iterations(6);

// Up to the message window shown, and drawn, with every member's line.
void BM_ShowErrorsEveryMemberFailing(benchmark::State& State) {
  TOpen Open("124");
  int Lines = 0;
  for (auto _ : State) {
    WhenModalShown([&Lines](QWidget*) {
      frmMessage->lvwMsg->viewport()->repaint();
      Lines = frmMessage->lvwMsg->model()->rowCount();
      frmMessage->btnOK->click();
    });
    Open.Form->bbnShowErr->click();
  }
  if (Lines < MemberCount) State.SkipWithError("not every line listed");
  State.counters["lines"] = Lines;
}
BENCHMARK(BM_ShowErrorsEveryMemberFailing)->Unit(benchmark::kMillisecond)->Iterations(3);

// One scroll step (a page, anywhere in the list) of the message window holding
// 100,000 lines, drawn.
void BM_MessageWindowScroll(benchmark::State& State) {
  std::vector<std::string> Messages;
  for (int I = 0; I < MemberCount; ++I)
    Messages.push_back("SSN " + std::to_string(100000000 + I) + ": Health contribution must be " +
                       "within $1.00 of 1.25% of pensionable compensation");
  frmMessage->SetMessages(Messages);
  frmMessage->show();
  QCoreApplication::processEvents();
  QScrollBar* Bar = frmMessage->lvwMsg->verticalScrollBar();
  int Step = 0;
  for (auto _ : State) {
    Step = (Step + 7919) % (Bar->maximum() + 1);
    Bar->setValue(Step);
    frmMessage->lvwMsg->viewport()->repaint();
  }
  frmMessage->hide();
  frmMessage->SetMessages({});
}
BENCHMARK(BM_MessageWindowScroll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  InitializeTransmittalUnits();
  ScreenDPI = 96;
  auto Message = std::make_unique<TfrmMessage>();
  frmMessage = Message.get();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Message.reset();
  frmMessage = nullptr;
  FinalizeTransmittalUnits();
  return 0;
}

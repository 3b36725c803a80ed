// The member grids must hold 100,000 members: filling 100,000 rows of 9 cells,
// re-filling them after a sort, and repainting the visible area.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <string>
#include <vector>

#include "StringGrid.h"

namespace {
constexpr int Rows = 100000;
constexpr int Cols = 9;

std::vector<std::vector<std::string>> MakeRows() {
  std::vector<std::vector<std::string>> Data(Rows, std::vector<std::string>(Cols));
  for (int R = 0; R < Rows; ++R) {
    Data[R][0] = "Lastname" + std::to_string(R) + ", Firstname";
    Data[R][1] = std::to_string(100000000 + R);
    for (int C = 2; C < Cols; ++C) Data[R][C] = std::to_string(R % 5000) + "." + std::to_string(C) + "0";
  }
  return Data;
}

void Fill(TStringGrid& Grid, const std::vector<std::vector<std::string>>& Data, bool Reverse) {
  Grid.SetRowCount(Rows + 1);
  for (int R = 0; R < Rows; ++R) {
    const std::vector<std::string>& Row = Data[Reverse ? Rows - 1 - R : R];
    for (int C = 0; C < Cols; ++C) Grid.SetCells(C, R + 1, Row[C]);
  }
  QCoreApplication::processEvents();  // the one change notice and repaint request
}

TStringGrid& MakeGrid() {
  static TStringGrid* Grid = [] {
    auto* G = new TStringGrid;
    G->resize(576, 323);
    G->SetColCount(Cols);
    G->SetFixedCols(0);
    G->SetRowCount(2);
    G->SetDefaultRowHeight(21);
    G->SetOptions(goVertLine | goHorzLine | goEditing | goTabs);
    G->OnDrawCell = [G](int32_t ACol, int32_t ARow, const TRect& Rect, TGridDrawState) {
      if (ARow == 0) return;
      G->Canvas->Brush->Color = ACol < 2 ? clInfoBk : clWindow;
      std::string Text = "$";
      Text += G->Cells(ACol, ARow);
      G->Canvas->TextRect(Rect, Rect.Right - G->Canvas->TextWidth(Text) - 2, Rect.Top + 2, Text);
    };
    G->show();
    return G;
  }();
  return *Grid;
}
}  // namespace

static void BM_Fill100kx9(benchmark::State& State) {
  static const auto Data = MakeRows();
  TStringGrid& Grid = MakeGrid();
  for (auto _ : State) {
    Grid.SetRowCount(2);
    Fill(Grid, Data, false);
  }
}
BENCHMARK(BM_Fill100kx9)->Unit(benchmark::kMillisecond);

// After a sort every cell changes but the row count does not.
static void BM_RefillAfterSort(benchmark::State& State) {
  static const auto Data = MakeRows();
  TStringGrid& Grid = MakeGrid();
  Fill(Grid, Data, false);
  bool Reverse = true;
  for (auto _ : State) {
    Fill(Grid, Data, Reverse);
    Reverse = !Reverse;
  }
}
BENCHMARK(BM_RefillAfterSort)->Unit(benchmark::kMillisecond);

static void BM_RepaintVisible(benchmark::State& State) {
  static const auto Data = MakeRows();
  TStringGrid& Grid = MakeGrid();
  Fill(Grid, Data, false);
  for (auto _ : State) {
    QPixmap Image = Grid.grab();
    benchmark::DoNotOptimize(Image);
  }
}
BENCHMARK(BM_RepaintVisible)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Load, validation and save of a large school district's transmittal: 100,000
// valid members (32.8 MB). The load benchmark also reports the growth of the
// process's peak memory over the baseline before the first load.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

constexpr int Members = 100000;

TTempDir* Folder = nullptr;
std::string SourcePath;

long PeakKiB() {
  struct rusage Usage {};
  ::getrusage(RUSAGE_SELF, &Usage);
  return Usage.ru_maxrss;
}

// Writes the file line by line, so that making it costs no memory of note.
void GenerateFile() {
  TTransShort Model;
  FillValidHeader(Model);
  TRecord* Member = AddMember(Model);
  Model.Trailer->SetAsFloat(fnTotalRecCount, Members);
  Model.Trailer->SetAsFloat(fnTotalEmplContribAmt, 70.0 * Members);
  Model.Trailer->SetAsFloat(fnTotalEmplrContribAmt, 12.5 * Members);
  Model.Trailer->SetAsFloat(fnTotalReceivables, 82.5 * Members);
  Model.Trailer->SetAsString(fnFileName, "20040900.123");
  std::ofstream Out(SourcePath, std::ios::binary);
  Out.write(Model.Header->Buffer, 52) << "\r\n";
  for (int i = 0; i < Members; ++i) {
    Member->SetAsString(fnMemberSSN, std::to_string(100000000 + (i * 7919) % 900000000));
    Out.write(Member->Buffer, 326) << "\r\n";
  }
  Out.write(Model.Trailer->Buffer, 98) << "\r\n";
}

void Load(benchmark::State& State) {
  long Before = PeakKiB();
  for (auto _ : State) {
    TTransShort Trans;
    Trans.FileName = SourcePath;
    if (!Trans.LoadFromFile() || Trans.Details.Count() != Members) State.SkipWithError("load failed");
    benchmark::DoNotOptimize(Trans.Details.Count());
  }
  State.counters["file_MB"] = (154.0 + 328.0 * Members) / 1e6;
  State.counters["peak_MB_above_baseline"] = (PeakKiB() - Before) / 1024.0;
}

class Loaded : public benchmark::Fixture {
 public:
  void SetUp(benchmark::State&) override {
    FTrans = std::make_unique<TTransShort>();
    FTrans->FileName = SourcePath;
    FTrans->LoadFromFile();
  }
  void TearDown(benchmark::State&) override { FTrans.reset(); }
  std::unique_ptr<TTransShort> FTrans;
};

BENCHMARK_DEFINE_F(Loaded, Validate)(benchmark::State& State) {
  for (auto _ : State)
    if (!FTrans->Validate()) State.SkipWithError(ErrorList->Messages.front().c_str());
}

BENCHMARK_DEFINE_F(Loaded, Save)(benchmark::State& State) {
  FTrans->FileName = Folder->File("20041000.123");
  for (auto _ : State)
    if (!FTrans->SaveToFile(true)) State.SkipWithError("save failed");
}

BENCHMARK(Load)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_REGISTER_F(Loaded, Validate)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_REGISTER_F(Loaded, Save)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  InitializeTransmittalUnits();
  int Result = 0;
  {
    TFakeEnv Env;  // today 2004-09-15, so that every member is valid
    TTempDir Dir;
    Folder = &Dir;
    SourcePath = Dir.File("20040900.123");
    GenerateFile();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
      Result = 1;
    } else {
      benchmark::RunSpecifiedBenchmarks();
      benchmark::Shutdown();
    }
    Folder = nullptr;
  }
  FinalizeTransmittalUnits();
  return Result;
}

// Load, validation and save of a large school district's transmittal: 100,000
// valid members (32.8 MB). The load benchmark also reports how far the process's
// resident memory peaked above where it stood when the run began, for each run
// (repetition) on its own.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

constexpr int Members = 100000;

TTempDir* Folder = nullptr;
std::string SourcePath;

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when it cannot be read.
long StatusKiB(const std::string& Field) {
  std::ifstream In("/proc/self/status");
  std::string Line;
  while (std::getline(In, Line)) {
    if (Line.compare(0, Field.size() + 1, Field + ":") != 0) continue;
    std::istringstream Value(Line.substr(Field.size() + 1));
    long KiB = -1;
    Value >> KiB;
    return KiB;
  }
  return -1;
}

// Lowers the process's peak resident size to its present size, so that the next
// peak read is the peak of what follows; false where the kernel does not allow it.
bool ResetPeak() {
  std::ofstream Out("/proc/self/clear_refs");
  Out << "5";
  Out.flush();
  return static_cast<bool>(Out);
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
  // The process's high-water mark never falls by itself: without the reset every
  // repetition after the first would read the first one's peak and show 0.
  static bool Reported = false;
  const bool OwnPeak = ResetPeak();
  const long Before = OwnPeak ? StatusKiB("VmRSS") : StatusKiB("VmHWM");
  for (auto _ : State) {
    TTransShort Trans;
    Trans.FileName = SourcePath;
    if (!Trans.LoadFromFile() || Trans.Details.Count() != Members) State.SkipWithError("load failed");
    benchmark::DoNotOptimize(Trans.Details.Count());
  }
  State.counters["file_MB"] = (154.0 + 328.0 * Members) / 1e6;
  // Without the reset only the first repetition's figure means anything.
  if (Before >= 0 && (OwnPeak || !Reported))
    State.counters["peak_MB_above_baseline"] = (StatusKiB("VmHWM") - Before) / 1024.0;
  Reported = true;
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

// Feeds arbitrary bytes to the transmittal reader as a file (which rewrites it when
// it fills defaults), then checks and sorts whatever was read. Any crash, hang or
// out-of-bounds access is a bug, and so is a member that holds a line end (the
// bytes of two lines taken for one member) or an error raised for what the file
// holds: the checked load says why a file was not read whole instead.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "KSFUnits.h"
#include "PTransShort.h"
#include "Utils.h"

namespace {

std::string Folder;

void WriteInput(const std::string& Path, const uint8_t* Data, size_t Size) {
  FILE* Out = std::fopen(Path.c_str(), "wb");
  if (Out == nullptr) std::abort();
  if (Size > 0 && std::fwrite(Data, 1, Size, Out) != Size) std::abort();
  std::fclose(Out);
}

bool HoldsLineEnd(const TRecord* Record) {
  const size_t Length = static_cast<size_t>(Record->RecordLength);
  return std::memchr(Record->Buffer, '\r', Length) != nullptr ||
         std::memchr(Record->Buffer, '\n', Length) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InitializeTransmittalUnits();
  // A memory-backed folder when there is one: the rewrites sync every file.
  std::string Template = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/ksf-fuzz-XXXXXX" : "/tmp/ksf-fuzz-XXXXXX";
  if (::mkdtemp(Template.data()) == nullptr) std::abort();
  Folder = Template;
  std::atexit([] {
    ::unlink((Folder + "/20040900.123").c_str());
    ::rmdir(Folder.c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // A proper name, so that the rewrite after load-time defaults really writes.
  const std::string Path = Folder + "/20040900.123";
  WriteInput(Path, Data, Size);
  TTransShort Trans;
  Trans.FileName = Path;
  try {
    const TReadProblem Problem = Trans.LoadChecked();
    for (const TRecord* Record : Trans.Details)
      if (HoldsLineEnd(Record)) std::abort();
    if (Problem.Kind == TReadProblem::TKind::None &&
        (HoldsLineEnd(Trans.Header.get()) || HoldsLineEnd(Trans.Trailer.get())))
      std::abort();
    Trans.Validate();
    Trans.Resort();
  } catch (const EInOutError&) {
    // The rewrite after defaults met a full memory disk: not a fault of the reader.
  }
  return 0;
}

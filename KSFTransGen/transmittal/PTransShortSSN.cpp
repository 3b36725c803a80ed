// Counting an SSN among the saved files of a reporting month. The check runs at
// every ninth digit typed and at every save of a member, and a large employer's
// month holds several files of 100,000 members: what each file holds is kept,
// and the file is read again only once it has changed on disk.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"

namespace {

// What tells a file's content apart on disk without reading it. Every save
// replaces the file by a new one, so the inode and the change time move too.
struct TFileStamp {
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  int64_t Modified = 0;
  int64_t Changed = 0;
  bool operator==(const TFileStamp&) const = default;
};

bool StampOf(const std::string& Path, TFileStamp& Stamp) {
  struct stat Info {};
  if (::stat(Path.c_str(), &Info) != 0 || !S_ISREG(Info.st_mode)) return false;
  Stamp.Device = Info.st_dev;
  Stamp.Inode = Info.st_ino;
  Stamp.Size = Info.st_size;
  Stamp.Modified = static_cast<int64_t>(Info.st_mtim.tv_sec) * 1000000000 + Info.st_mtim.tv_nsec;
  Stamp.Changed = static_cast<int64_t>(Info.st_ctim.tv_sec) * 1000000000 + Info.st_ctim.tv_nsec;
  return true;
}

// The SSNs a load of one file reads, sorted, and the stamp of the file they came from.
struct TKeptSSNs {
  TFileStamp Stamp;
  std::vector<std::string> SSNs;
};

std::map<std::string, TKeptSSNs>& Kept() {
  static std::map<std::string, TKeptSSNs> Files;
  return Files;
}

std::string KeyOf(const std::string& Path) {
  return std::filesystem::path(Path).lexically_normal().string();
}

// Keeps what the members read from (or just written to) the file hold; a file
// that cannot be stamped is not kept.
void Keep(const std::string& Path, const TFreeList<TRecord>& Details) {
  TKeptSSNs Entry;
  if (!StampOf(Path, Entry.Stamp)) {
    Kept().erase(KeyOf(Path));
    return;
  }
  Entry.SSNs.reserve(static_cast<size_t>(Details.Count()));
  for (const TRecord* Record : Details) Entry.SSNs.push_back(Record->GetAsString(fnMemberSSN));
  std::sort(Entry.SSNs.begin(), Entry.SSNs.end());
  Kept()[KeyOf(Path)] = std::move(Entry);
}

// The kept SSNs of an amendment's newest revision, read afresh when the file has
// changed; null when merging would not read it (no revision, no such file).
const TKeptSSNs* SSNsOf(TFileNest* Nest, TTransShort& Reader) {
  const std::string Path = LatestRevisionPath(Nest);
  if (Path.empty()) return nullptr;
  auto Found = Kept().find(KeyOf(Path));
  TFileStamp Stamp;
  if (Found != Kept().end() && StampOf(Path, Stamp) && Stamp == Found->second.Stamp)
    return &Found->second;
  ClearFreeList(&Reader.Details);
  if (!Reader.LoadLatestRevision(Nest)) return nullptr;
  Keep(Path, Reader.Details);
  Found = Kept().find(KeyOf(Path));
  return Found != Kept().end() ? &Found->second : nullptr;
}

}  // namespace

int32_t CountSSNInPeriod(const TFreeList<TFileNest>& Nests, const std::string& SSN,
                         std::vector<TReadProblem>* /*Unread*/) {
  auto Reader = std::make_unique<TTransShort>();
  std::vector<std::string> Month;
  int32_t Count = 0;
  for (int32_t I = 0; I < Nests.Count(); ++I) {
    const TKeptSSNs* Kept = SSNsOf(Nests[I], *Reader);
    // Merging reads nothing at all when amendment 0 is missing, and skips a later one.
    if (Kept == nullptr) {
      if (I == 0) break;
      continue;
    }
    Month.push_back(KeyOf(LatestRevisionPath(Nests[I])));
    const auto [First, Last] = std::equal_range(Kept->SSNs.begin(), Kept->SSNs.end(), SSN);
    Count += static_cast<int32_t>(Last - First);
  }
  // Only this month's files stay kept.
  std::erase_if(Kept(), [&](const auto& Entry) {
    return std::find(Month.begin(), Month.end(), Entry.first) == Month.end();
  });
  return Count;
}

void NoteSavedSSNs(const std::string& Path, const TFreeList<TRecord>& Details) {
  if (Kept().count(KeyOf(Path)) != 0) Keep(Path, Details);
}

// Counting an SSN among the saved files of a reporting month. The check runs at
// every ninth digit typed and at every save of a member, and a large employer's
// month holds several files of 100,000 members: what each file holds is kept,
// and the file is read again only once it has changed on disk.

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
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

// The SSNs a load of one file reads, sorted, the stamp of the file they came
// from, and what kept that load from reading the file whole.
struct TKeptSSNs {
  TFileStamp Stamp;
  std::vector<std::string> SSNs;
  TReadProblem Problem;
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
const TKeptSSNs* Keep(const std::string& Path, const TFreeList<TRecord>& Details,
                      const TReadProblem& Problem) {
  TKeptSSNs Entry;
  if (!StampOf(Path, Entry.Stamp)) {
    Kept().erase(KeyOf(Path));
    return nullptr;
  }
  Entry.SSNs.reserve(static_cast<size_t>(Details.Count()));
  for (const TRecord* Record : Details) Entry.SSNs.push_back(Record->GetAsString(fnMemberSSN));
  std::sort(Entry.SSNs.begin(), Entry.SSNs.end());
  Entry.Problem = Problem;
  TKeptSSNs& Slot = Kept()[KeyOf(Path)];
  Slot = std::move(Entry);
  return &Slot;
}

// A listed file that is not there holds no saved member.
bool NotOnDisk(const std::string& Path) {
  struct stat Info {};
  if (::stat(Path.c_str(), &Info) == 0) return S_ISDIR(Info.st_mode);
  return errno == ENOENT || errno == ENOTDIR;
}

// The kept SSNs of the file, read afresh when it has changed; null when it is
// not on disk, or when the file system refused the read (Unreadable then says
// why). Of a file that could not be read whole, the members that were read.
const TKeptSSNs* SSNsOf(const std::string& Path, TTransShort& Reader, TReadProblem& Unreadable) {
  auto Found = Kept().find(KeyOf(Path));
  TFileStamp Stamp;
  if (Found != Kept().end() && StampOf(Path, Stamp) && Stamp == Found->second.Stamp)
    return &Found->second;
  if (NotOnDisk(Path)) return nullptr;
  Reader.FileName = Path;
  TReadProblem Problem;
  try {
    Problem = Reader.LoadChecked();
  } catch (const EInOutError& Error) {
    Kept().erase(KeyOf(Path));
    Unreadable = {TReadProblem::TKind::Unreadable, Path, Error.what()};
    return nullptr;
  }
  const TKeptSSNs* Entry = Keep(Path, Reader.Details, Problem);
  ClearFreeList(&Reader.Details);
  return Entry;
}

}  // namespace

int32_t CountSSNInPeriod(const TFreeList<TFileNest>& Nests, const std::string& SSN,
                         std::vector<TReadProblem>* Unread) {
  if (Unread != nullptr) Unread->clear();
  auto Reader = std::make_unique<TTransShort>();
  std::vector<std::string> Month;
  int32_t Count = 0;
  for (int32_t I = 0; I < Nests.Count(); ++I) {
    const std::string Path = LatestRevisionPath(Nests[I]);
    if (Path.empty()) continue;
    TReadProblem Unreadable;
    const TKeptSSNs* Kept = SSNsOf(Path, *Reader, Unreadable);
    if (Unreadable && Unread != nullptr) Unread->push_back(std::move(Unreadable));
    if (Kept == nullptr) continue;
    if (Kept->Problem && Unread != nullptr) Unread->push_back(Kept->Problem);
    Month.push_back(KeyOf(Path));
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
  if (Kept().count(KeyOf(Path)) != 0) Keep(Path, Details, TReadProblem());
}

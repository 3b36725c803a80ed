// A save never costs the previous file: whatever fails part-way, the old bytes stay
// whole under their name and no temporary file is left behind.
//
// This program is linked with the save's system calls wrapped (tests/CMakeLists.txt),
// so that a test can make one of them fail, or kill the process right after one.
// Unless a test asks for that, every call goes straight through.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>

#include "FakeEnv.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

enum class TCall { Write, Fsync, Linkat, Renameat2, Rename, None };

struct TFaults {
  // The process kills itself right after the KillAt-th call (from 1) of KillAfter.
  TCall KillAfter = TCall::None;
  int KillAt = 0;
  // fsync of a regular file, or of a folder, fails with EIO.
  bool FailFileSync = false;
  bool FailFolderSync = false;
  // The file system has no unnamed files, or cannot swap two names.
  bool NoUnnamedFiles = false;
  bool NoExchange = false;
  int Calls[static_cast<int>(TCall::None)] = {};
};

TFaults Faults;

void Counted(TCall Call) {
  const int N = ++Faults.Calls[static_cast<int>(Call)];
  if (Call == Faults.KillAfter && N == Faults.KillAt) ::kill(::getpid(), SIGKILL);
}

}  // namespace

extern "C" {
ssize_t __real_write(int Fd, const void* Data, size_t Count);
int __real_fsync(int Fd);
int __real_linkat(int OldDir, const char* Old, int NewDir, const char* New, int Flags);
int __real_renameat2(int OldDir, const char* Old, int NewDir, const char* New, unsigned Flags);
int __real_rename(const char* Old, const char* New);
int __real_open(const char* Path, int Flags, ...);

ssize_t __wrap_write(int Fd, const void* Data, size_t Count) {
  const ssize_t Result = __real_write(Fd, Data, Count);
  Counted(TCall::Write);
  return Result;
}

int __wrap_fsync(int Fd) {
  struct stat Info {};
  const bool Folder = ::fstat(Fd, &Info) == 0 && S_ISDIR(Info.st_mode);
  if (Folder ? Faults.FailFolderSync : Faults.FailFileSync) {
    errno = EIO;
    return -1;
  }
  const int Result = __real_fsync(Fd);
  Counted(TCall::Fsync);
  return Result;
}

int __wrap_linkat(int OldDir, const char* Old, int NewDir, const char* New, int Flags) {
  const int Result = __real_linkat(OldDir, Old, NewDir, New, Flags);
  Counted(TCall::Linkat);
  return Result;
}

int __wrap_renameat2(int OldDir, const char* Old, int NewDir, const char* New, unsigned Flags) {
  if (Faults.NoExchange && (Flags & RENAME_EXCHANGE) != 0) {
    errno = EINVAL;
    return -1;
  }
  const int Result = __real_renameat2(OldDir, Old, NewDir, New, Flags);
  Counted(TCall::Renameat2);
  return Result;
}

int __wrap_rename(const char* Old, const char* New) {
  const int Result = __real_rename(Old, New);
  Counted(TCall::Rename);
  return Result;
}

int __wrap_open(const char* Path, int Flags, ...) {
  int Mode = 0;
  if ((Flags & O_CREAT) != 0 || (Flags & O_TMPFILE) == O_TMPFILE) {
    va_list Args;
    va_start(Args, Flags);
    Mode = va_arg(Args, int);
    va_end(Args);
  }
  if (Faults.NoUnnamedFiles && (Flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return __real_open(Path, Flags, Mode);
}
}

namespace {

const char* const Name = "20040900.123";
// How the hidden files of a save of Name begin.
const std::string HiddenPrefix = std::string(".") + Name + ".";

class AtomicSave : public testing::Test {
 protected:
  // An existing, valid file of three members.
  void SetUp() override { WriteOldFile(); }

  void WriteOldFile() {
    TTransShort Old;
    FillValidHeader(Old);
    for (int i = 0; i < 3; ++i) AddMember(Old, std::to_string(111111111 * (i + 1)));
    Old.FileName = FDir.File(Name);
    ASSERT_TRUE(Old.SaveToFile(false));
    FOldBytes = ReadBytes(Old.FileName);
  }

  void TearDown() override { Faults = TFaults(); }

  void ExpectOldFileAlone() {
    EXPECT_EQ(ReadBytes(FDir.File(Name)), FOldBytes);
    EXPECT_EQ(FDir.Entries(), std::vector<std::string>{Name});
  }

  // The folder's entries other than the file itself.
  std::vector<std::string> Others() const {
    std::vector<std::string> Entries = FDir.Entries();
    Entries.erase(std::remove(Entries.begin(), Entries.end(), Name), Entries.end());
    return Entries;
  }

  TFakeEnv FEnv;
  TTempDir FDir;
  std::string FOldBytes;
};

enum TOutcome { Returned, ReturnedFalse, Raised, RaisedOther };

// Saves Members members with the process's file-size limit set to Limit bytes, in
// a child process so that the limit binds nothing else. SIGXFSZ is ignored, so the
// limit shows as a short write or as EFBIG, the way a full disk does.
TOutcome SaveWithSizeLimit(const std::string& Path, int Members, rlim_t Limit) {
  pid_t Child = ::fork();
  if (Child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit Rl = {Limit, Limit};
    ::setrlimit(RLIMIT_FSIZE, &Rl);
    int Code;
    try {
      TTransShort Trans;
      FillValidHeader(Trans);
      for (int i = 0; i < Members; ++i) AddMember(Trans);
      Trans.FileName = Path;
      Code = Trans.SaveToFile(true) ? Returned : ReturnedFalse;
    } catch (const EInOutError&) {
      Code = Raised;
    } catch (...) {
      Code = RaisedOther;
    }
    ::_exit(Code);
  }
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  return WIFEXITED(Status) ? static_cast<TOutcome>(WEXITSTATUS(Status)) : RaisedOther;
}

TEST_F(AtomicSave, FileSizeLimitPartWayKeepsTheOldFile) {
  struct TCase {
    const char* Name;
    int Members;
    rlim_t Limit;
    TOutcome Outcome;
  };
  const TCase Cases[] = {
      // Nothing can be written: the first write fails outright.
      {"NoRoomAtAll", 10, 0, Raised},
      // The first block is stored only in part: a short write.
      {"ShortFirstBlock", 10, 1000, ReturnedFalse},
      // A whole first block, then no room for the second.
      {"FullAfterFirstBlock", 4000, 1024 * 1024, Raised},
      // A short write in a later block.
      {"ShortLaterBlock", 4000, 1024 * 1024 + 5000, ReturnedFalse},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(SaveWithSizeLimit(FDir.File(Name), Case.Members, Case.Limit), Case.Outcome);
    ExpectOldFileAlone();
  }
  // Without a limit the same save goes through and replaces the file whole.
  EXPECT_EQ(SaveWithSizeLimit(FDir.File(Name), 4000, RLIM_INFINITY), Returned);
  EXPECT_EQ(ReadBytes(FDir.File(Name)).size(), 154u + 328u * 4000u);
  EXPECT_EQ(FDir.Entries(), std::vector<std::string>{Name});
}

TEST_F(AtomicSave, UnwritableFolderRaisesAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any folder";
  ASSERT_EQ(::chmod(FDir.Path.c_str(), 0555), 0);
  TTransShort Trans;
  Trans.FileName = FDir.File(Name);
  EXPECT_THROW(Trans.SaveToFile(true), EInOutError);
  ::chmod(FDir.Path.c_str(), 0755);
  ExpectOldFileAlone();
}

TEST_F(AtomicSave, ReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  ASSERT_EQ(::chmod(FDir.File(Name).c_str(), 0444), 0);
  TTransShort Trans;
  Trans.FileName = FDir.File(Name);
  EXPECT_THROW(Trans.SaveToFile(true), EInOutError);
  ExpectOldFileAlone();
}

TEST_F(AtomicSave, ReplacementKeepsPermissionsAndLinks) {
  ASSERT_EQ(::chmod(FDir.File(Name).c_str(), 0640), 0);
  TTransShort Trans;
  Trans.FileName = FDir.File(Name);
  ASSERT_TRUE(Trans.LoadFromFile());
  Trans.Details[0]->SetAsString(fnLastName, "Changed");
  ASSERT_TRUE(Trans.SaveToFile(false));
  struct stat Info {};
  ASSERT_EQ(::stat(Trans.FileName.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 07777, 0640u);
  EXPECT_EQ(FDir.Entries(), std::vector<std::string>{Name});

  // A link to a transmittal stays a link; its target gets the new content.
  ASSERT_EQ(::symlink(Name, FDir.File("20041000.123").c_str()), 0);
  Trans.FileName = FDir.File("20041000.123");
  ASSERT_TRUE(Trans.SaveToFile(true));
  struct stat LinkInfo {};
  ASSERT_EQ(::lstat(Trans.FileName.c_str(), &LinkInfo), 0);
  EXPECT_TRUE(S_ISLNK(LinkInfo.st_mode));
  EXPECT_EQ(ReadBytes(FDir.File(Name)), ReadBytes(Trans.FileName));
  EXPECT_NE(ReadBytes(FDir.File(Name)).find("20041000.123"), std::string::npos);
}

TEST_F(AtomicSave, FolderInPlaceOfTheFileRaises) {
  TTransShort Trans;
  ASSERT_EQ(::mkdir(FDir.File("20041000.123").c_str(), 0700), 0);
  Trans.FileName = FDir.File("20041000.123");
  EXPECT_THROW(Trans.SaveToFile(true), EInOutError);
  EXPECT_EQ(ReadBytes(FDir.File(Name)), FOldBytes);
  std::vector<std::string> Entries = FDir.Entries();
  std::sort(Entries.begin(), Entries.end());
  EXPECT_EQ(Entries, (std::vector<std::string>{Name, "20041000.123"}));
}

// A transmittal of Members valid members, to be saved as FileName.
std::unique_ptr<TTransShort> NewTrans(const std::string& FileName, int Members) {
  auto Trans = std::make_unique<TTransShort>();
  FillValidHeader(*Trans);
  for (int i = 0; i < Members; ++i) AddMember(*Trans);
  Trans->FileName = FileName;
  return Trans;
}

// A save killed at any step leaves the old file whole. While the new content is
// written it has no name, so a kill leaves nothing; only between its naming and
// the end of the save can a hidden file remain, and the next save of that file
// removes it. Where the file system has no unnamed files, the hidden file exists
// from the start, and the next save removes it the same way.
TEST_F(AtomicSave, KilledSaveLeavesNothingButTheFile) {
  constexpr int Members = 10000;  // four blocks to write
  const size_t NewSize = 154u + 328u * Members;
  struct TCase {
    const char* Name;
    bool Unnamed;
    TCall Call;
    int Nth;
    bool NewContent;
    size_t Hidden;
  };
  const TCase Cases[] = {
      {"first block written", true, TCall::Write, 1, false, 0},
      {"half the content written", true, TCall::Write, 3, false, 0},
      {"content synced, still unnamed", true, TCall::Fsync, 1, false, 0},
      {"just given its hidden name", true, TCall::Linkat, 1, false, 1},
      {"just swapped with the old file", true, TCall::Renameat2, 1, true, 1},
      {"folder synced", true, TCall::Fsync, 2, true, 1},
      {"no unnamed files: first block written", false, TCall::Write, 1, false, 1},
      {"no unnamed files: content synced", false, TCall::Fsync, 1, false, 1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    WriteOldFile();
    pid_t Child = ::fork();
    if (Child == 0) {
      Faults = TFaults();
      Faults.NoUnnamedFiles = !Case.Unnamed;
      Faults.KillAfter = Case.Call;
      Faults.KillAt = Case.Nth;
      try {
        NewTrans(FDir.File(Name), Members)->SaveToFile(true);
      } catch (...) {
      }
      ::_exit(0);
    }
    int Status = 0;
    ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
    ASSERT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL) << "not killed at that step";
    if (Case.NewContent)
      EXPECT_EQ(ReadBytes(FDir.File(Name)).size(), NewSize);
    else
      EXPECT_EQ(ReadBytes(FDir.File(Name)), FOldBytes);
    const std::vector<std::string> Left = Others();
    ASSERT_EQ(Left.size(), Case.Hidden);
    for (const std::string& Entry : Left) EXPECT_EQ(Entry.rfind(HiddenPrefix, 0), 0u);

    WriteOldFile();
    ExpectOldFileAlone();
  }
}

// A failing sync (EIO) of the new file or of the folder is a failed save: the old
// file stays as it was and nothing else is left behind. Only where the file
// system cannot swap two names has the old file already been replaced when the
// folder's sync fails; the save still reports the failure.
TEST_F(AtomicSave, FailedSyncIsAFailedSave) {
  enum TAfter { OldFile, NoFile, NewFile };
  struct TCase {
    const char* Name;
    bool Unnamed;
    bool FileSyncFails;
    bool FolderSyncFails;
    bool NoExchange;
    const char* Target;
    TAfter After;
  };
  const TCase Cases[] = {
      {"file sync", true, true, false, false, Name, OldFile},
      {"file sync, no unnamed files", false, true, false, false, Name, OldFile},
      {"folder sync", true, false, true, false, Name, OldFile},
      {"folder sync, no unnamed files", false, false, true, false, Name, OldFile},
      {"folder sync of a new file", true, false, true, false, "20041000.123", NoFile},
      {"folder sync, names cannot be swapped", true, false, true, true, Name, NewFile},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    WriteOldFile();
    auto Trans = NewTrans(FDir.File(Case.Target), 5);
    Faults.NoUnnamedFiles = !Case.Unnamed;
    Faults.FailFileSync = Case.FileSyncFails;
    Faults.FailFolderSync = Case.FolderSyncFails;
    Faults.NoExchange = Case.NoExchange;
    EXPECT_THROW(Trans->SaveToFile(true), EInOutError);
    Faults = TFaults();
    if (Case.After == NewFile) {
      EXPECT_EQ(ReadBytes(FDir.File(Name)).size(), 154u + 328u * 5u);
      EXPECT_EQ(FDir.Entries(), std::vector<std::string>{Name});
    } else {
      ExpectOldFileAlone();
    }
  }
}

// What interrupted saves of the file left behind goes with its next save; other
// files, however alike, stay.
TEST_F(AtomicSave, SaveRemovesLeftoversOfItsOwnFileOnly) {
  struct TEntry {
    std::string Name;
    bool Folder;
    bool Removed;
  };
  const std::string& Hidden = HiddenPrefix;
  const TEntry Entries[] = {
      {Hidden + "Ab12Cd", false, true},
      {Hidden + "zzzzzz", false, true},
      {Hidden + "Ab12C", false, false},      // five characters
      {Hidden + "Ab12Cde", false, false},    // seven
      {Hidden + "Ab-2Cd", false, false},     // not a letter or digit
      {Hidden + "Zz99Zz", true, false},      // a folder
      {".20040900.124.Ab12Cd", false, false},  // another file's
      {"20040900.123.Ab12Cd", false, false},   // not hidden
  };
  for (const TEntry& Entry : Entries) {
    if (Entry.Folder)
      ASSERT_EQ(::mkdir(FDir.File(Entry.Name).c_str(), 0700), 0);
    else
      WriteBytes(FDir.File(Entry.Name), "left over");
  }
  ASSERT_TRUE(NewTrans(FDir.File(Name), 2)->SaveToFile(true));
  for (const TEntry& Entry : Entries) {
    SCOPED_TRACE(Entry.Name);
    EXPECT_EQ(::access(FDir.File(Entry.Name).c_str(), F_OK) != 0, Entry.Removed);
  }
}

}  // namespace

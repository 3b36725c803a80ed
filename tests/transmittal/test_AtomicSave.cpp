// A save never costs the previous file: whatever fails part-way, the old bytes stay
// whole under their name and no temporary file is left behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "FakeEnv.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

const char* const Name = "20040900.123";

class AtomicSave : public testing::Test {
 protected:
  // An existing, valid file of three members.
  void SetUp() override {
    TTransShort Old;
    FillValidHeader(Old);
    for (int i = 0; i < 3; ++i) AddMember(Old, std::to_string(111111111 * (i + 1)));
    Old.FileName = FDir.File(Name);
    ASSERT_TRUE(Old.SaveToFile(false));
    FOldBytes = ReadBytes(Old.FileName);
  }

  void ExpectOldFileAlone() {
    EXPECT_EQ(ReadBytes(FDir.File(Name)), FOldBytes);
    EXPECT_EQ(FDir.Entries(), std::vector<std::string>{Name});
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

}  // namespace

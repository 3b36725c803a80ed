// File names and the employer's file tree, over small data folders made in a
// temporary directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FakeEnv.h"
#include "PFiles.h"
#include "Utils.h"

namespace fs = std::filesystem;

namespace {

// A fresh program folder with an empty Data/ in it; AppDir points there while
// the fixture lives, and the fake environment records every beep and box.
class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string Template = (fs::temp_directory_path() / "ksf-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(Template.data()), nullptr);
    Root = Template;
    fs::create_directory(Root / "Data");
    SavedAppDir = AppDir;
    AppDir = Root.string() + "/";
  }
  void TearDown() override {
    AppDir = SavedAppDir;
    std::error_code Ec;
    fs::remove_all(Root, Ec);
  }

  void Touch(const std::string& Name) { std::ofstream(Root / "Data" / Name) << "x"; }
  void TouchAll(const std::vector<std::string>& Names) {
    for (const std::string& Name : Names) Touch(Name);
  }

  // The file the three cursor positions designate, by name; "" when they designate none.
  static std::string AtCursor(const TFileCollection& Tree) {
    if (Tree.Index < 0 || Tree.Index >= Tree.Periods.Count()) return "";
    const TFilePeriod* Period = Tree.Periods[Tree.Index];
    if (Period->Index < 0 || Period->Index >= Period->Amendments.Count()) return "";
    const TFileNest* Nest = Period->Amendments[Period->Index];
    if (Nest->Index < 0 || Nest->Index >= Nest->Revisions.Count()) return "";
    return Nest->Revisions[Nest->Index]->FileName();
  }

  // Every file in tree order, read from the lists themselves (not the cursor).
  static std::vector<std::string> Listed(const TFileCollection& Tree) {
    std::vector<std::string> Names;
    for (const TFilePeriod* Period : Tree.Periods)
      for (const TFileNest* Nest : Period->Amendments)
        for (const TFileData* Data : Nest->Revisions) Names.push_back(Data->FileName());
    return Names;
  }

  static std::string NameOf(const TFileData* Data) { return Data ? Data->FileName() : "nil"; }

  fs::path Root;
  std::string SavedAppDir;
  TFakeEnv Fake;
};

const std::vector<std::string> KFourFiles = {"20040900.123", "20040901.123", "20040910.123",
                                             "20041000.123"};

}  // namespace

// ---------------------------------------------------------------- names

TEST(MakeFileName, BuildsTheTwelveCharacterName) {
  struct Case {
    uint16_t Year, Month, Amendment, Revision;
    std::string ID, Expected;
  };
  const std::vector<Case> Cases = {
      {2004, 9, 0, 0, "123", "20040900.123"},
      {2004, 10, 1, 2, "123", "20041012.123"},
      {2004, 5, 0, 2, "123", "20040502.123"},
      {2004, 12, 9, 9, "123", "20041299.123"},
      {2004, 9, 10, 0, "123", ""},         // ten amendments at most
      {2004, 9, 0, 10, "123", ""},         // ten revisions at most
      {2004, 9, 0, 0, "12", "20040900. 12"},  // short ID padded on the left
      {999, 9, 0, 0, "123", " 9990900.123"},
      {2004, 13, 0, 0, "123", "20041300.123"},  // month not range-checked
      {2004, 9, 0, 0, "1234", "20040900.123"},  // the ID holds three characters
  };
  for (const Case& C : Cases)
    EXPECT_EQ(MakeFileName(C.Year, C.Month, C.Amendment, C.Revision, C.ID), C.Expected)
        << C.Year << "/" << C.Month << " a" << C.Amendment << " r" << C.Revision;
}

TEST(ParseFileName, ReadsTheFourNumbersAndTheExtension) {
  struct Case {
    std::string Name;
    bool Ok;
    uint16_t Year, Month, Amendment, Revision;
    std::string ID;
  };
  // Outputs start at 7/7/7/7/"zz" so that the ones a failure leaves alone show.
  const std::vector<Case> Cases = {
      {"20040900.123", true, 2004, 9, 0, 0, "123"},
      {"20041012.123", true, 2004, 10, 1, 2, "123"},
      {"20040900.1234", true, 2004, 9, 0, 0, "123"},  // a longer extension is cut
      {"20041300.123", true, 2004, 13, 0, 0, "123"},  // month not range-checked
      {"20040900", true, 2004, 9, 0, 0, ""},          // no extension at all
      {"2004 900.123", true, 2004, 9, 0, 0, "123"},   // leading blank of a piece
      {"notes.123", false, 7, 7, 7, 7, "zz"},
      {"2004090X.123", false, 2004, 9, 0, 7, "zz"},  // what converted keeps its value
      {"200409", false, 2004, 9, 7, 7, "zz"},
      {"", false, 7, 7, 7, 7, "zz"},
      {"20040 00.123", false, 2004, 7, 7, 7, "zz"},  // trailing blank is not a number
      // Decimal only: the hexadecimal forms of the general integer parse would
      // read these as September 2004 and list a name that is not on disk.
      {"2004x900.123", false, 2004, 7, 7, 7, "zz"},
      {"$7D40900.123", false, 7, 7, 7, 7, "zz"},
  };
  for (const Case& C : Cases) {
    uint16_t Year = 7, Month = 7, Amendment = 7, Revision = 7;
    std::string ID = "zz";
    EXPECT_EQ(ParseFileName(C.Name, Year, Month, Amendment, Revision, ID), C.Ok) << C.Name;
    EXPECT_EQ(Year, C.Year) << C.Name;
    EXPECT_EQ(Month, C.Month) << C.Name;
    EXPECT_EQ(Amendment, C.Amendment) << C.Name;
    EXPECT_EQ(Revision, C.Revision) << C.Name;
    EXPECT_EQ(ID, C.ID) << C.Name;
  }
}

// ---------------------------------------------------------------- the tree

TEST_F(DataFolder, FourFileExampleBuildsThreeLevels) {
  TouchAll({"20041000.123", "20040910.123", "20040900.123", "20040901.123"});
  TFileCollection Tree("123");

  ASSERT_EQ(Tree.Periods.Count(), 2);
  const TFilePeriod* September = Tree.Periods[0];
  EXPECT_EQ(September->Year, 2004);
  EXPECT_EQ(September->Month, 9);
  ASSERT_EQ(September->Amendments.Count(), 2);
  EXPECT_EQ(September->Amendments[0]->Amendment, 0);
  EXPECT_EQ(September->Amendments[0]->Revisions.Count(), 2);
  EXPECT_EQ(September->Amendments[1]->Amendment, 1);
  EXPECT_EQ(September->Amendments[1]->Revisions.Count(), 1);
  const TFilePeriod* October = Tree.Periods[1];
  EXPECT_EQ(October->Month, 10);
  ASSERT_EQ(October->Amendments.Count(), 1);
  EXPECT_EQ(October->Amendments[0]->Revisions.Count(), 1);
  EXPECT_EQ(Listed(Tree), KFourFiles);
  EXPECT_TRUE(Fake.Boxes.empty());
  EXPECT_EQ(Fake.Beeps, 0);
}

// The order in which names arrive never changes the tree.
TEST_F(DataFolder, AnyInsertionOrderGivesTheSameSortedTree) {
  std::vector<std::string> Order = KFourFiles;
  std::sort(Order.begin(), Order.end());
  do {
    TFileCollection Tree("123");  // the folder is empty: names come by AddFile
    for (const std::string& Name : Order) Tree.AddFile(Name);
    EXPECT_EQ(Listed(Tree), KFourFiles) << Order[0] << " " << Order[1] << " " << Order[2] << " "
                                        << Order[3];
  } while (std::next_permutation(Order.begin(), Order.end()));
}

TEST_F(DataFolder, CursorWalksEveryFileOldestToNewestAndStopsAtBothEnds) {
  TouchAll(KFourFiles);
  TFileCollection Tree("123");

  std::vector<std::string> Forward = {NameOf(Tree.First())};
  for (int i = 0; i < 3; ++i) Forward.push_back(NameOf(Tree.Next()));
  EXPECT_EQ(Forward, KFourFiles);

  EXPECT_EQ(Tree.Next(), nullptr);  // fifth call: past the newest
  EXPECT_EQ(AtCursor(Tree), "20041000.123");
  EXPECT_EQ(NameOf(Tree.Prior()), "20040910.123");  // steps into the last file of amendment 1
  EXPECT_EQ(NameOf(Tree.Prior()), "20040901.123");  // ... and back to amendment 0's last
  EXPECT_EQ(NameOf(Tree.Prior()), "20040900.123");
  EXPECT_EQ(Tree.Prior(), nullptr);
  EXPECT_EQ(AtCursor(Tree), "20040900.123");

  EXPECT_EQ(NameOf(Tree.Last()), "20041000.123");
  EXPECT_EQ(NameOf(Tree.First()), "20040900.123");
  // Next into another amendment lands on its first revision.
  Tree.Next();
  EXPECT_EQ(NameOf(Tree.Next()), "20040910.123");
}

// Stepping into another amendment or period must land on its first file going
// forward and its last going back, whatever position that container was left at.
TEST_F(DataFolder, CursorStepsAcrossAmendmentsAndPeriodsBothWays) {
  const std::vector<std::vector<std::string>> Trees = {
      {"20040900.123"},
      {"20040900.123", "20040901.123", "20040902.123"},
      {"20040900.123", "20040910.123", "20040911.123", "20040912.123"},
      {"20040900.123", "20040901.123", "20040910.123", "20040911.123", "20041000.123",
       "20041001.123", "20041010.123", "20050100.123", "20050101.123"},
  };
  for (const std::vector<std::string>& Files : Trees) {
    fs::remove_all(Root / "Data");
    fs::create_directory(Root / "Data");
    TouchAll(Files);
    TFileCollection Tree("123");
    std::vector<std::string> Reversed(Files.rbegin(), Files.rend());
    for (int Round = 0; Round < 2; ++Round) {
      std::vector<std::string> Forward, Backward;
      for (TFileData* D = Tree.First(); D; D = Tree.Next()) Forward.push_back(D->FileName());
      EXPECT_EQ(Forward, Files) << "round " << Round;
      EXPECT_EQ(AtCursor(Tree), Files.back());
      for (TFileData* D = Tree.Last(); D; D = Tree.Prior()) Backward.push_back(D->FileName());
      EXPECT_EQ(Backward, Reversed) << "round " << Round;
      EXPECT_EQ(AtCursor(Tree), Files.front());
      // From the oldest file, stepping forward without First walks it all again.
      std::vector<std::string> Again = {AtCursor(Tree)};
      for (TFileData* D = Tree.Next(); D; D = Tree.Next()) Again.push_back(D->FileName());
      EXPECT_EQ(Again, Files) << "round " << Round;
    }
  }
}

TEST_F(DataFolder, LevelCursorsFollowTheTable) {
  TouchAll({"20040900.123", "20040901.123", "20040902.123"});
  TFileCollection Tree("123");
  TFileNest* Nest = Tree.Periods[0]->Amendments[0];

  EXPECT_EQ(NameOf(Nest->Last()), "20040902.123");
  EXPECT_EQ(Nest->Index, 2);
  EXPECT_EQ(Nest->Next(), nullptr);
  EXPECT_EQ(Nest->Index, 2);
  EXPECT_EQ(NameOf(Nest->First()), "20040900.123");
  EXPECT_EQ(Nest->Prior(), nullptr);
  EXPECT_EQ(Nest->Index, 0);
  EXPECT_EQ(NameOf(Nest->Next()), "20040901.123");
  EXPECT_EQ(Nest->Index, 1);
}

TEST_F(DataFolder, EmptyOrMissingFolderGivesAnEmptyTreeSilently) {
  struct Case {
    const char* What;
    void (*Prepare)(const fs::path& Root);
  };
  const std::vector<Case> Cases = {
      {"empty folder", [](const fs::path&) {}},
      {"no data folder", [](const fs::path& R) { fs::remove_all(R / "Data"); }},
      {"data folder is a file",
       [](const fs::path& R) {
         fs::remove_all(R / "Data");
         std::ofstream(R / "Data") << "x";
       }},
      {"only other employers' files",
       [](const fs::path& R) { std::ofstream(R / "Data" / "20040900.456") << "x"; }},
  };
  for (const Case& C : Cases) {
    fs::remove_all(Root / "Data");
    fs::create_directory(Root / "Data");
    C.Prepare(Root);
    TFileCollection Tree("123");
    EXPECT_EQ(Tree.Periods.Count(), 0) << C.What;
    EXPECT_EQ(Tree.First(), nullptr) << C.What;
    EXPECT_EQ(Tree.Index, 0) << C.What;
    EXPECT_EQ(Tree.Last(), nullptr) << C.What;
    EXPECT_EQ(Tree.Next(), nullptr) << C.What;
    EXPECT_EQ(Tree.Prior(), nullptr) << C.What;
    EXPECT_EQ(Tree.Find("20040900.123"), nullptr) << C.What;
    EXPECT_EQ(Tree.EmployerID, "123") << C.What;
  }
  EXPECT_TRUE(Fake.Boxes.empty());
  EXPECT_EQ(Fake.Beeps, 0);
}

// ---------------------------------------------------------------- Find

TEST_F(DataFolder, FindReturnsTheEntryOrStopsWhereTheNameWouldBe) {
  TouchAll(KFourFiles);
  TFileCollection Tree("123");
  struct Case {
    std::string Name;
    bool Found;
    int32_t PeriodIndex, AmendmentIndex, RevisionIndex;
    std::string Cursor;
  };
  const std::vector<Case> Cases = {
      {"20040901.123", true, 0, 0, 1, "20040901.123"},
      {"20041000.123", true, 1, 0, 0, "20041000.123"},
      {"20040900.123", true, 0, 0, 0, "20040900.123"},
      {"20030900.123", false, 0, 0, 0, "20040900.123"},  // earlier than the oldest
      {"20050100.123", false, 1, 0, 0, "20041000.123"},  // later than the newest
      {"20040902.123", false, 0, 1, 0, "20040910.123"},  // stops at the first greater name
      {"20040901.456", false, 0, 1, 0, "20040910.123"},  // the extension is part of the name
  };
  for (const Case& C : Cases) {
    Tree.Last();  // start away from the first file
    TFileData* Data = Tree.Find(C.Name);
    if (C.Found) {
      ASSERT_NE(Data, nullptr) << C.Name;
      EXPECT_EQ(Data->FileName(), C.Name);
    } else {
      EXPECT_EQ(Data, nullptr) << C.Name;
    }
    EXPECT_EQ(AtCursor(Tree), C.Cursor) << C.Name;
    EXPECT_EQ(Tree.Index, C.PeriodIndex) << C.Name;
    const TFilePeriod* Period = Tree.Periods[Tree.Index];
    EXPECT_EQ(Period->Index, C.AmendmentIndex) << C.Name;
    EXPECT_EQ(Period->Amendments[Period->Index]->Index, C.RevisionIndex) << C.Name;
  }
}

// ---------------------------------------------------------------- adding and the boxes

TEST_F(DataFolder, ScanSkipsWhatDoesNotParseWithABoxUnlessItIsADotName) {
  TouchAll({"20040900.123", "notes.123", ".hidden.123", "readme.txt", "20040900.abc"});
  fs::create_directory(Root / "Data" / "20041100.123");  // folders are listed too

  TFileCollection Tree("123");
  EXPECT_EQ(Listed(Tree), (std::vector<std::string>{"20040900.123", "20041100.123"}));
  ASSERT_EQ(Fake.Boxes.size(), 1u);
  EXPECT_EQ(Fake.Boxes[0].Caption, "KSF Transmittal Software");
  EXPECT_EQ(Fake.Boxes[0].Text, "Skipping file \"notes.123\"");
  EXPECT_EQ(Fake.Boxes[0].Buttons, TMsgButtons::OK);
  EXPECT_EQ(Fake.Beeps, 1);

  // Matching the extension is exact: "ABC" is not "abc", and 456 sees no notes.123.
  TFileCollection Upper("ABC");
  EXPECT_EQ(Upper.Periods.Count(), 0);
  TFileCollection Other("456");
  EXPECT_EQ(Other.Periods.Count(), 0);
  EXPECT_EQ(Fake.Boxes.size(), 1u);
}

TEST_F(DataFolder, AddFileBoxesAtEachLevel) {
  TouchAll({"20040900.123"});
  TFileCollection Tree("123");
  struct Case {
    const char* Level;
    std::string Name;
    std::string Box;  // "" for none
  };
  const std::vector<Case> Cases = {
      {"collection", "notes.123", "Skipping file \"notes.123\""},
      {"collection", "", ""},
      {"collection", ".", ""},
      {"collection", "..", ""},
      {"collection", ".x", ""},
      {"collection", "20040900.123", ""},  // listed already
      {"collection", "20040900.456", ""},  // same key: the same file
      {"period", "junk", "Invalid file name: junk"},
      {"period", "", "Invalid file name: "},
      {"period", "20040900.123", ""},
      {"nest", "2004090X.123", "Invalid file name: 2004090X.123"},
      {"nest", "20040900.123", ""},
  };
  for (const Case& C : Cases) {
    Fake.Boxes.clear();
    Fake.Beeps = 0;
    const std::string L = C.Level;
    if (L == "collection") Tree.AddFile(C.Name);
    if (L == "period") Tree.Periods[0]->AddFile(C.Name);
    if (L == "nest") Tree.Periods[0]->Amendments[0]->AddFile(C.Name);
    EXPECT_EQ(Listed(Tree), std::vector<std::string>{"20040900.123"}) << C.Level << " " << C.Name;
    if (C.Box.empty()) {
      EXPECT_TRUE(Fake.Boxes.empty()) << C.Level << " " << C.Name;
      EXPECT_EQ(Fake.Beeps, 0) << C.Level << " " << C.Name;
    } else {
      ASSERT_EQ(Fake.Boxes.size(), 1u) << C.Level << " " << C.Name;
      EXPECT_EQ(Fake.Boxes[0].Text, C.Box);
      EXPECT_EQ(Fake.Boxes[0].Caption, "KSF Transmittal Software");
      EXPECT_EQ(Fake.Boxes[0].Buttons, TMsgButtons::OK);
      EXPECT_EQ(Fake.Beeps, 1) << C.Level << " " << C.Name;
    }
  }
}

TEST_F(DataFolder, MonthThirteenJoinsJanuaryOfTheNextYear) {
  TouchAll({"20041300.123", "20050100.123", "20050101.123"});
  TFileCollection Tree("123");
  ASSERT_EQ(Tree.Periods.Count(), 1);
  // Same key as 20050100: only the one listed first stays.
  EXPECT_EQ(Listed(Tree), (std::vector<std::string>{"20041300.123", "20050101.123"}));
}

TEST_F(DataFolder, EmptyEmployerIdTakesEveryEmployerAndTheOldestPeriodsId) {
  TouchAll({"20041000.456", "20040900.789", "20040900.456"});
  TFileCollection Tree("");
  EXPECT_EQ(Tree.EmployerID, "456");
  // 20040900.456 and .789 share a key: one file.
  EXPECT_EQ(Listed(Tree), (std::vector<std::string>{"20040900.456", "20041000.456"}));
}

// ---------------------------------------------------------------- new entries

TEST_F(DataFolder, NewAmendmentAppendsTheNextNumberWithoutMovingTheCursor) {
  TouchAll(KFourFiles);
  TFileCollection Tree("123");
  Tree.Find("20040901.123");
  TFilePeriod* September = Tree.Periods[0];

  TFileData* Data = September->NewAmendment();
  ASSERT_NE(Data, nullptr);
  EXPECT_EQ(Data->FileName(), "20040920.123");
  ASSERT_EQ(September->Amendments.Count(), 3);
  EXPECT_EQ(September->Amendments[2]->Amendment, 2);
  ASSERT_EQ(September->Amendments[2]->Revisions.Count(), 1);
  EXPECT_EQ(September->Amendments[2]->Revisions[0], Data);  // owned by the tree
  EXPECT_EQ(AtCursor(Tree), "20040901.123");
  // The editor adds the made name next: nothing changes, and Find sees it.
  Tree.AddFile(Data->FileName());
  EXPECT_EQ(September->Amendments.Count(), 3);
  EXPECT_EQ(Tree.Find("20040920.123"), Data);
  EXPECT_FALSE(fs::exists(Root / "Data" / "20040920.123"));  // nothing written
}

// A file removed by hand leaves a gap; numbering by count would then hand out
// the name of a file that exists, and the new report would overwrite it.
TEST_F(DataFolder, NewNumbersNeverNameAnExistingFile) {
  struct Case {
    const char* What;
    std::vector<std::string> Scanned;
    std::vector<std::string> AddedAfterScan;  // created on disk by other means
    std::string NewAmendment;   // of September 2004
    uint16_t NextRevision;      // of September's amendment 0
  };
  const std::vector<Case> Cases = {
      {"no gaps", {"20040900.123", "20040901.123", "20040910.123"}, {}, "20040920.123", 2},
      {"revision 1 removed", {"20040900.123", "20040902.123"}, {}, "20040910.123", 3},
      {"amendment 1 removed", {"20040900.123", "20040920.123"}, {}, "20040930.123", 1},
      {"amendment 0 removed", {"20040910.123"}, {}, "20040920.123", 1},
      {"files made after the scan",
       {"20040900.123"},
       {"20040901.123", "20040910.123", "20040920.123"},
       "20040930.123",
       2},
  };
  for (const Case& C : Cases) {
    fs::remove_all(Root / "Data");
    fs::create_directory(Root / "Data");
    TouchAll(C.Scanned);
    TFileCollection Tree("123");
    TouchAll(C.AddedAfterScan);
    ASSERT_EQ(Tree.Periods.Count(), 1) << C.What;
    TFilePeriod* Period = Tree.Periods[0];
    EXPECT_EQ(Period->Amendments[0]->NextRevisionNumber(), C.NextRevision) << C.What;

    const std::vector<std::string> Before = Listed(Tree);
    TFileData* Data = Period->NewAmendment();
    EXPECT_EQ(Data->FileName(), C.NewAmendment) << C.What;
    EXPECT_FALSE(fs::exists(Root / "Data" / Data->FileName())) << C.What;
    EXPECT_EQ(Period->Amendments[Period->Amendments.Count() - 1]->Revisions[0], Data);
    for (const std::string& Name : Before) EXPECT_NE(Data->FileName(), Name) << C.What;
    // The tree stays sorted, so the cursor still walks it in order.
    std::vector<std::string> Walk;
    for (TFileData* D = Tree.First(); D; D = Tree.Next()) Walk.push_back(D->FileName());
    EXPECT_TRUE(std::is_sorted(Walk.begin(), Walk.end())) << C.What;
  }
}

TEST_F(DataFolder, NewRevisionAppendsTheNextNumber) {
  TouchAll({"20040900.123", "20040901.123"});
  TFileCollection Tree("123");
  TFileNest* Nest = Tree.Periods[0]->Amendments[0];
  Nest->First();
  TFileData* Data = Nest->NewRevision();
  EXPECT_EQ(Data->FileName(), "20040902.123");
  EXPECT_EQ(Nest->Revisions.Count(), 3);
  EXPECT_EQ(Nest->Revisions[2], Data);
  EXPECT_EQ(Nest->Index, 0);
}

TEST_F(DataFolder, TheEleventhAmendmentHasNoName) {
  std::vector<std::string> Ten;
  for (int a = 0; a < 10; ++a) Ten.push_back(MakeFileName(2004, 9, a, 0, "123"));
  TouchAll(Ten);
  TFileCollection Tree("123");
  TFileData* Data = Tree.Periods[0]->NewAmendment();
  EXPECT_EQ(Data->Amendment, 10);
  EXPECT_EQ(Data->FileName(), "");
}

// ---------------------------------------------------------------- AppDir

class ProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override { Saved = AppDir; }
  void TearDown() override { AppDir = Saved; }
  std::string Saved;
};

TEST_F(ProgramFolder, IsTheFolderOfTheProgramPathWithATrailingSlash) {
  struct Case {
    std::string ProgramPath, AppDir;
  };
  const std::vector<Case> Cases = {
      {"/opt/ksf/KSFTransGen", "/opt/ksf/"},
      {"/KSFTransGen", "/"},
      {"/home/clerk/My Programs/ksf/KSFTransGen", "/home/clerk/My Programs/ksf/"},
      {"", ""},  // the path cannot be read
  };
  for (const Case& C : Cases) {
    TFakeEnv Fake;
    Fake.ProgramPathValue = C.ProgramPath;
    PFilesInitialization();
    EXPECT_EQ(AppDir, C.AppDir) << C.ProgramPath;
    EXPECT_EQ(DataDir(), C.AppDir + "Data/") << C.ProgramPath;
  }
}

TEST_F(ProgramFolder, FollowsTheRunningProgramNotTheCurrentFolder) {
  const fs::path Exe = fs::canonical("/proc/self/exe");
  const fs::path Cwd = fs::current_path();
  fs::current_path(fs::temp_directory_path());
  PFilesInitialization();  // the real environment
  fs::current_path(Cwd);
  EXPECT_EQ(AppDir, Exe.parent_path().string() + "/");
}

// Sorting the members, merging the amendments of a month and the SSN check.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>

#include "FakeEnv.h"
#include "PFiles.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

std::vector<std::string> Column(const TTransShort& T, const std::string& Name) {
  std::vector<std::string> Values;
  for (const TRecord* R : T.Details) Values.push_back(R->GetAsString(Name));
  return Values;
}

// Sorting reads the column and direction of the edited transmittal, Trans.
class Sorting : public testing::Test {
 protected:
  void SetUp() override { Trans = &FTrans; }
  void TearDown() override { Trans = nullptr; }
  TFakeEnv FEnv;
  TTransShort FTrans;
};

TEST_F(Sorting, EmptyListChangesNothing) {
  FTrans.SortByField(fnLastName);
  FTrans.Resort();
  EXPECT_EQ(FTrans.SortField, -1);
  EXPECT_EQ(FTrans.SortOrder, 'A');
}

TEST_F(Sorting, SameColumnTogglesNewColumnStartsAscending) {
  for (const char* Name : {"smith", "Adams", "brown", "Carter"}) AddMember(FTrans, "123456789", Name);
  FTrans.CurIndex = 2;
  struct TStep {
    const std::string& Field;
    char Order;
    std::vector<std::string> LastNames;
  };
  const TStep Steps[] = {
      {fnLastName, 'A', {"Adams", "brown", "Carter", "smith"}},
      {fnLastName, 'D', {"smith", "Carter", "brown", "Adams"}},
      {fnLastName, 'A', {"Adams", "brown", "Carter", "smith"}},
      {fnFirstName, 'A', {}},
      {fnLastName, 'A', {"Adams", "brown", "Carter", "smith"}},
  };
  for (const TStep& Step : Steps) {
    FTrans.SortByField(Step.Field);
    EXPECT_EQ(FTrans.SortField, FTrans.Details[0]->IndexOfField(Step.Field));
    EXPECT_EQ(FTrans.SortOrder, Step.Order);
    if (!Step.LastNames.empty()) {
      EXPECT_EQ(Column(FTrans, fnLastName), Step.LastNames);
    }
  }
  EXPECT_EQ(FTrans.CurIndex, 2);  // the cursor keeps its position, not its record
}

TEST_F(Sorting, EachFieldKindComparesItsOwnWay) {
  struct TCase {
    const std::string& Field;
    std::vector<std::string> Values;  // stored in this order
    std::vector<std::string> Sorted;  // shown values after an ascending sort
  };
  const TCase Cases[] = {
      // Text: trimmed, a-z upper-cased, then by character code; a prefix sorts first.
      {fnAddressCity, {"b", "A", " a", "[", "ab", "\xE9"}, {"A", "a", "ab", "b", "[", "\xE9"}},
      // Dates: as dates, blank and unreadable ones first.
      {fnBirthDate, {"01/15/1990", "12/31/1989", "", "02/01/1989"}, {"", "02/01/1989", "12/31/1989", "01/15/1990"}},
      // Numbers: by value, not by text.
      {fnSalaryPensionAmount, {"100", "9.5", "-3", "20"}, {"     -3.00", "      9.50", "     20.00", "    100.00"}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Field);
    ClearFreeList(&FTrans.Details);
    for (const std::string& V : Case.Values) AddMember(FTrans)->SetAsString(Case.Field, V);
    FTrans.SortField = -1;
    FTrans.SortByField(Case.Field);
    std::vector<std::string> Got = Column(FTrans, Case.Field);
    if (Case.Field == fnAddressCity) {
      // "A" and "a" are equal; either may come first.
      ASSERT_EQ(Got.size(), 6u);
      std::sort(Got.begin(), Got.begin() + 2);
    }
    EXPECT_EQ(Got, Case.Sorted);
  }
}

TEST_F(Sorting, ResortWithoutColumnSortsBySsnAndKeepsIt) {
  FTrans.Resort();
  EXPECT_EQ(FTrans.SortField, -1);
  AddMember(FTrans, "333333333");
  FTrans.Resort();  // a single record fixes the column too
  EXPECT_EQ(FTrans.SortField, 1);
  AddMember(FTrans, "111111111");
  AddMember(FTrans, "222222222");
  FTrans.Resort();
  EXPECT_EQ(Column(FTrans, fnMemberSSN), (std::vector<std::string>{"111111111", "222222222", "333333333"}));
  FTrans.SortByField(fnMemberSSN);
  EXPECT_EQ(FTrans.SortOrder, 'D');
  EXPECT_EQ(Column(FTrans, fnMemberSSN), (std::vector<std::string>{"333333333", "222222222", "111111111"}));
}

TEST_F(Sorting, UnknownFieldRaisesAndSortsNothing) {
  AddMember(FTrans, "2");
  AddMember(FTrans, "1");
  EXPECT_THROW(FTrans.SortByField("lastname"), Exception);
  EXPECT_EQ(Column(FTrans, fnMemberSSN), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(FTrans.SortField, -1);
}

// A cursor past the end (the editor sets it) must not take the lookup outside the list.
TEST_F(Sorting, CursorPastTheEndStillSorts) {
  AddMember(FTrans, "2");
  AddMember(FTrans, "1");
  FTrans.CurIndex = 10;
  FTrans.SortByField(fnMemberSSN);
  EXPECT_EQ(Column(FTrans, fnMemberSSN), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(FTrans.CurIndex, 10);
}

// A transmittal other than Trans (or before Trans exists) sorts by its own column.
TEST(SortingAlone, OwnColumnWithoutTheEditedTransmittal) {
  TFakeEnv Env;
  ASSERT_EQ(Trans, nullptr);
  TTransShort Local;
  AddMember(Local, "1", "b");
  AddMember(Local, "2", "a");
  Local.SortByField(fnLastName);
  EXPECT_EQ(Column(Local, fnLastName), (std::vector<std::string>{"a", "b"}));
  Local.SortByField(fnLastName);
  EXPECT_EQ(Column(Local, fnLastName), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(CompareRecords(Local.Details[0], Local.Details[1]), -1);  // "1" before "2": by SSN
}

// Many equal keys and amounts a hair apart: the sort stays inside the list and
// orders what it can.
TEST_F(Sorting, LargeListsWithManyEqualKeys) {
  std::mt19937 Random(7);
  for (int i = 0; i < 3000; ++i) {
    TRecord* R = AddMember(FTrans, std::to_string(Random() % 5));
    R->SetAsFloat(fnContribVoluntaryPostTax, (Random() % 7) / 100.0);
  }
  FTrans.SortByField(fnContribVoluntaryPostTax);
  FTrans.SortByField(fnContribVoluntaryPostTax);
  ASSERT_EQ(FTrans.Details.Count(), 3000);
  for (int i = 1; i < 3000; ++i)
    ASSERT_GE(FTrans.Details[i - 1]->GetAsFloat(fnContribVoluntaryPostTax),
              FTrans.Details[i]->GetAsFloat(fnContribVoluntaryPostTax) - 0.0001);
  FTrans.SortByField(fnMemberSSN);
  for (int i = 1; i < 3000; ++i)
    ASSERT_LE(FTrans.Details[i - 1]->GetAsString(fnMemberSSN), FTrans.Details[i]->GetAsString(fnMemberSSN));
}

// A data folder of one employer's month, built from members named by their last name.
class Merging : public testing::Test {
 protected:
  void SetUp() override {
    FOldAppDir = AppDir;
    AppDir = FDir.Path + "/";
    ::mkdir((AppDir + "Data").c_str(), 0755);
  }
  void TearDown() override {
    delete Files;
    Files = nullptr;
    AppDir = FOldAppDir;
  }

  struct TMember {
    std::string LastName;
    std::string SSN;
  };
  void WriteTransmittal(const std::string& Name, const std::vector<TMember>& Members) {
    TTransShort T;
    for (const TMember& M : Members) AddMember(T, M.SSN, M.LastName);
    T.FileName = DataDir() + Name;
    ASSERT_TRUE(T.SaveToFile(true));
  }
  // Amendment 0: a1 a2; amendment 1, newest revision: b1 b2 b3; amendment 2: c1.
  void WriteMonth() {
    WriteTransmittal("20040900.123", {{"a1", "100000001"}, {"a2", "100000002"}});
    WriteTransmittal("20040910.123", {{"old", "999999999"}});
    WriteTransmittal("20040911.123", {{"b1", "200000001"}, {"b2", "200000002"}, {"b3", "200000003"}});
    WriteTransmittal("20040920.123", {{"c1", "300000001"}});
  }
  TFilePeriod* Month() {
    if (Files == nullptr) Files = new TFileCollection("123");
    return Files->Periods[0];
  }

  TFakeEnv FEnv;
  TTempDir FDir;
  std::string FOldAppDir;
};

TEST_F(Merging, AmendmentZeroInFileOrderThenLaterOnesLastToFirst) {
  WriteMonth();
  TTransShort Merged;
  TReadProblem Problem{TReadProblem::TKind::CutShort, "stale", ""};
  EXPECT_TRUE(Merged.MergeAmendments(Month()->Amendments, true, &Problem));
  EXPECT_FALSE(Problem);
  EXPECT_EQ(Column(Merged, fnLastName), (std::vector<std::string>{"a1", "a2", "b3", "b2", "b1", "c1"}));
  for (const TRecord* R : Merged.Details) EXPECT_EQ(R->Fields, &Merged.FieldLists[2]);
  EXPECT_EQ(Merged.FileName, DataDir() + "20040900.123");
  EXPECT_EQ(Merged.Trailer->GetAsInteger(fnTotalRecCount), 2);  // amendment 0's until the next save
  EXPECT_TRUE(FEnv.Boxes.empty());
}

TEST_F(Merging, MissingFiles) {
  WriteMonth();
  TFilePeriod* Period = Month();
  // A later amendment that is gone is skipped.
  ::unlink((DataDir() + "20040911.123").c_str());
  TTransShort Merged;
  TReadProblem Problem;
  EXPECT_TRUE(Merged.MergeAmendments(Period->Amendments, false, &Problem));
  EXPECT_FALSE(Problem);
  EXPECT_EQ(Column(Merged, fnLastName), (std::vector<std::string>{"a1", "a2", "c1"}));

  // Without amendment 0's file nothing is merged (NothingIsMergedUnlessEveryFileReadsWhole).
  TTransShort Single;
  EXPECT_FALSE(Single.LoadLatestRevision(Period->Amendments[1]));
  EXPECT_EQ(Single.FileName, DataDir() + "20040911.123");  // names the missing file
  EXPECT_TRUE(Single.LoadLatestRevision(Period->Amendments[2]));
}

TEST_F(Merging, DuplicateSsnIsReportedAndMergedAnyway) {
  WriteTransmittal("20040900.123", {{"a1", "100000001"}});
  WriteTransmittal("20040910.123", {{"b1", "100000001"}, {"b2", "200000002"}, {"b3", "200000002"}});
  TTransShort Merged;
  Merged.MergeAmendments(Month()->Amendments, true);
  EXPECT_EQ(Column(Merged, fnLastName), (std::vector<std::string>{"a1", "b3", "b2", "b1"}));
  ASSERT_EQ(FEnv.Boxes.size(), 2u);
  // b2 is taken after b3, so it brings the box; b1 matches a1.
  EXPECT_EQ(FEnv.BoxTexts(), (std::vector<std::string>{"SSN 200-00-0002 is not unique!", "SSN 100-00-0001 is not unique!"}));
  EXPECT_EQ(FEnv.Boxes[0].Caption, "KSF Transmittal Software");
  EXPECT_EQ(FEnv.Boxes[0].Buttons, TMsgButtons::OK);
  EXPECT_EQ(FEnv.Beeps, 2);
}

TEST_F(Merging, LaterAmendmentsWithBlankCodesAreRewrittenOnTheWay) {
  WriteTransmittal("20040900.123", {{"a1", "100000001"}});
  {
    TTransShort T;
    AddMember(T, "200000001", "b1")->SetAsString(fnGenderCD, "");
    T.FileName = DataDir() + "20040910.123";
    ASSERT_TRUE(T.SaveToFile(true));
  }
  TTransShort Merged;
  Merged.MergeAmendments(Month()->Amendments, false);
  EXPECT_EQ(Merged.Details[1]->GetAsString(fnGenderCD), "3");
  TTransShort Back;
  Back.FileName = DataDir() + "20040910.123";
  ASSERT_TRUE(Back.TTrans::LoadFromFile());
  EXPECT_EQ(Back.Details[0]->GetAsString(fnGenderCD), "3");
}

// A month is made only of files read whole: a file that could be read only in
// part or holds a value beyond what is stored, files that add up beyond it, and
// a missing report (amendment 0) each end the merge with False, naming the file
// and why, before any duplicate SSN is told; a file the file system refuses
// raises. The transmittal keeps what it held before, and nothing leaks.
TEST_F(Merging, NothingIsMergedUnlessEveryFileReadsWhole) {
  using K = TReadProblem::TKind;
  const std::string Report = DataDir() + "20040900.123";
  const std::string Middle = DataDir() + "20040911.123";  // b1 b2 b3
  const std::string Last = DataDir() + "20040920.123";
  auto Cut = [](const std::string& Path, size_t Keep) { WriteBytes(Path, ReadBytes(Path).substr(0, Keep)); };
  // Member i of the file stops after At of its 326 characters.
  auto CutMember = [](const std::string& Path, size_t i, size_t At) {
    const std::string Bytes = ReadBytes(Path);
    const size_t Start = 54 + 328 * i;
    WriteBytes(Path, Bytes.substr(0, Start + At) + "\r\n" + Bytes.substr(Start + 328));
  };
  // Rewrites the file's text at Column (1-based) of its line Line.
  auto Poke = [](const std::string& Path, size_t Line, size_t Column, const std::string& Text) {
    std::string Bytes = ReadBytes(Path);
    Bytes.replace(54 + 328 * (Line - 1) + Column - 1, Text.size(), Text);
    WriteBytes(Path, Bytes);
  };
  struct TCase {
    const char* What;
    std::function<void()> Spoil;
    bool Raises;
    K Kind;
    std::string Path;
    std::string Detail;
  };
  const TCase Cases[] = {
      {"a file that cannot be read",
       [&] {
         ::unlink(Last.c_str());
         ASSERT_EQ(::mkfifo(Last.c_str(), 0600), 0);
       },
       true, K::None, "", ""},
      {"the report missing", [&] { ::unlink(Report.c_str()); }, false, K::Missing, Report, ""},
      {"the report cut short", [&] { Cut(Report, 200); }, false, K::CutShort, Report, ""},
      {"a later file cut short", [&] { Cut(Last, ReadBytes(Last).size() - 200); }, false, K::CutShort, Last, ""},
      {"a member cut short running into the next line", [&] { CutMember(Middle, 1, 150); }, false, K::CutShort,
       Middle, ""},
      {"an amount beyond", [&] { Poke(Middle, 2, 316, "9999999999"); }, false, K::AmountBeyond, Middle,
       "Value 99999999.99 does not fit field ContribContractPostTax"},
      // Line 4 of a file of three members is its trailer.
      {"a record count beyond", [&] { Poke(Middle, 4, 6, "99999999999"); }, false, K::CountBeyond, Middle,
       "Value 99999999999 does not fit field TotalRecCount"},
      {"totals too large together",
       [&] {
         // Each file's voluntary total fits; the merged one, above 21474836.47,
         // does not. Both members have the same SSN, which is not told.
         for (const auto& [Name, Amount] : {std::pair{"20040911.123", 2000000}, std::pair{"20040920.123", 20000000}}) {
           TTransShort T;
           AddMember(T, "300000001", "big")->SetAsFloat(fnContribVoluntaryPostTax, Amount);
           T.FileName = DataDir() + Name;
           ASSERT_TRUE(T.SaveToFile(true));
         }
       },
       false, K::MergedTotalBeyond, Report, "Value 22000000.00 does not fit field TotalVolContribAmt"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    WriteMonth();
    delete Files;
    Files = nullptr;
    Month();  // the month's files as listed before one is spoilt
    C.Spoil();
    TTransShort Merged;
    Merged.FileName = "kept.123";
    AddMember(Merged, "1", "kept");
    const std::string Header(Merged.Header->Buffer, 52), Trailer(Merged.Trailer->Buffer, 98);
    TReadProblem Problem{K::None, "stale", "stale"};
    if (C.Raises) {
      EXPECT_THROW(Merged.MergeAmendments(Month()->Amendments, true, &Problem), EInOutError);
    } else {
      EXPECT_FALSE(Merged.MergeAmendments(Month()->Amendments, true, &Problem));
      EXPECT_EQ(Problem.Kind, C.Kind);
      EXPECT_EQ(Problem.Path, C.Path);
      EXPECT_EQ(Problem.Detail, C.Detail);
    }
    EXPECT_EQ(Column(Merged, fnLastName), std::vector<std::string>{"kept"});
    EXPECT_EQ(Merged.FileName, "kept.123");
    EXPECT_EQ(std::string(Merged.Header->Buffer, 52), Header);
    EXPECT_EQ(std::string(Merged.Trailer->Buffer, 98), Trailer);
    EXPECT_TRUE(FEnv.Boxes.empty());
    ::unlink(Last.c_str());
  }
}

TEST_F(Merging, IsSSNUniqueReadsTheSavedFilesOfThePeriodAtTheCursor) {
  WriteTransmittal("20040900.123", {{"a1", "100000001"}, {"a2", "100000002"}});
  WriteTransmittal("20040910.123", {{"b1", "100000002"}});
  WriteTransmittal("20041000.123", {{"x", "100000003"}});
  Month();
  TTransShort Caller;
  AddMember(Caller, "100000009");  // unsaved members are not seen
  struct TCase {
    std::string SSN;
    int32_t Allowed;
    bool Unique;
  };
  const TCase Cases[] = {
      {"100000001", 1, true}, {"100000001", 0, false}, {"100000002", 1, false},
      {"100000002", 2, true}, {"100000009", 0, true},  {"100000003", 0, true},
  };
  for (const TCase& Case : Cases) {
    FEnv.Boxes.clear();
    EXPECT_EQ(Caller.IsSSNUnique(Case.SSN, Case.Allowed), Case.Unique) << Case.SSN << "/" << Case.Allowed;
    EXPECT_EQ(FEnv.Boxes.size(), Case.Unique ? 0u : 1u);
    if (!Case.Unique) {
      EXPECT_EQ(FEnv.Boxes[0].Text, "SSN " + FormatSSN(Case.SSN) + " is not unique!");
    }
  }
  Files->Index = 1;  // October
  EXPECT_FALSE(Caller.IsSSNUnique("100000003", 0));
}

// The month's files are read once and kept: a file written since, by this
// program or any other way, is read again; one that is gone counts no more.
TEST_F(Merging, IsSSNUniqueSeesEveryChangeOfTheMonthsFiles) {
  WriteMonth();
  Month();
  TTransShort Caller;
  EXPECT_TRUE(Caller.IsSSNUnique("400000004", 0));
  // Same member count, so the same size: only the content differs.
  WriteTransmittal("20040920.123", {{"c1", "400000004"}});
  EXPECT_FALSE(Caller.IsSSNUnique("400000004", 0));
  EXPECT_TRUE(Caller.IsSSNUnique("400000004", 1));
  // Written from memory, as the editor's save does.
  TTransShort Open;
  Open.FileName = DataDir() + "20040900.123";
  ASSERT_TRUE(Open.LoadFromFile());
  Open.Details[0]->SetAsString(fnMemberSSN, "400000004");
  ASSERT_TRUE(Open.SaveToFile(true));
  EXPECT_FALSE(Caller.IsSSNUnique("400000004", 1));
  EXPECT_TRUE(Caller.IsSSNUnique("100000001", 0));
  ::unlink((DataDir() + "20040920.123").c_str());
  EXPECT_TRUE(Caller.IsSSNUnique("400000004", 1));
  // A listed file that is gone holds no saved member, whatever its amendment,
  // and is no problem; the month's other files still count.
  ::unlink((DataDir() + "20040900.123").c_str());
  std::vector<TReadProblem> Unread{TReadProblem{TReadProblem::TKind::CutShort, "stale", ""}};
  EXPECT_TRUE(Caller.IsSSNUnique("400000004", 0, &Unread));
  EXPECT_TRUE(Unread.empty());
  EXPECT_FALSE(Caller.IsSSNUnique("200000001", 0, &Unread));
  EXPECT_TRUE(Caller.IsSSNUnique("200000001", 1, &Unread));
  EXPECT_TRUE(Unread.empty());
}

// Another program (an editor, a copy from a backup) may rewrite a file of the
// month in place, keeping its size and even its modification time; the next
// check reads what the file holds by then. Only a file that nothing on disk
// tells apart (same inode, size, modification and change time) is taken as
// read: the change time is set by the system, so the test waits for its clock
// to move on before such a write.
TEST_F(Merging, IsSSNUniqueSeesAFileChangedOnDiskByAnotherProgram) {
  using std::chrono::nanoseconds;
  using std::chrono::seconds;
  namespace fs = std::filesystem;
  WriteMonth();
  Month();
  const std::string Path = DataDir() + "20040920.123";  // c1, 300000001
  // A whole second, so that a time within it can be told apart only by its fraction.
  const fs::file_time_type Stamped =
      std::chrono::floor<seconds>(fs::last_write_time(Path)) - seconds(10);
  auto ChangedTime = [](const std::string& File) {
    struct stat Info {};
    EXPECT_EQ(::stat(File.c_str(), &Info), 0) << File;
    return static_cast<int64_t>(Info.st_ctim.tv_sec) * 1000000000 + Info.st_ctim.tv_nsec;
  };
  // Until a file touched now has a later change time than Path's.
  auto WaitForTheClock = [&] {
    const int64_t Last = ChangedTime(Path);
    const std::string Probe = FDir.File("probe");
    for (int Tries = 0; Tries < 10000; ++Tries) {
      WriteBytes(Probe, "x");
      if (ChangedTime(Probe) > Last) break;
      ::usleep(100);
    }
    ::unlink(Probe.c_str());
  };
  auto InPlace = [&](const std::string& Bytes) { WriteBytes(Path, Bytes); };
  auto Replaced = [&](const std::string& Bytes) {
    WriteBytes(Path + ".new", Bytes);
    fs::rename(Path + ".new", Path);
  };
  auto Swap = [](std::string Bytes, const std::string& From, const std::string& To) {
    Bytes.replace(Bytes.find(From), From.size(), To);
    return Bytes;
  };
  auto NewSSN = [&](const std::string& Bytes) { return Swap(Bytes, "300000001", "400000004"); };
  // The member line of SSN 300000001, its line end included.
  auto MemberLine = [](const std::string& Bytes) {
    const size_t Start = Bytes.rfind('\n', Bytes.find("300000001")) + 1;
    return Bytes.substr(Start, Bytes.find('\n', Start) + 1 - Start);
  };
  struct TCase {
    const char* What;
    std::function<std::string(const std::string&)> Edit;  // the file's new bytes
    std::function<void(const std::string&)> Write;
    fs::file_time_type Modified;
    int32_t Found300, Found400;  // how often each SSN counts afterwards
  };
  const TCase Cases[] = {
      {"an SSN changed in place, the time a second later", NewSSN, InPlace, Stamped + seconds(1), 0,
       1},
      {"an SSN changed in place, the time later within its second", NewSSN, InPlace,
       Stamped + nanoseconds(500000000), 0, 1},
      {"an SSN changed in place, the time kept to the nanosecond", NewSSN, InPlace, Stamped, 0, 1},
      {"a member line added, the time kept",
       [&](const std::string& B) {
         const std::string Line = MemberLine(B);
         return Swap(B, Line, Line + NewSSN(Line));
       },
       InPlace, Stamped, 1, 1},
      {"the member line removed, the time kept",
       [&](const std::string& B) { return Swap(B, MemberLine(B), ""); }, InPlace, Stamped, 0, 0},
      {"replaced by another file of the same size and time", NewSSN, Replaced, Stamped, 0, 1},
  };
  TTransShort Caller;
  // How often the month holds SSN: the fewest others allowed for it to be unique.
  auto Counted = [&](const std::string& SSN) {
    int32_t Allowed = 0;
    while (Allowed < 3 && !Caller.IsSSNUnique(SSN, Allowed)) ++Allowed;
    return Allowed;
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.What);
    WriteTransmittal("20040920.123", {{"c1", "300000001"}});
    fs::last_write_time(Path, Stamped);
    // Read and kept as the file stands now.
    ASSERT_EQ(Counted("300000001"), 1);
    ASSERT_EQ(Counted("400000004"), 0);
    const std::string After = Case.Edit(ReadBytes(Path));
    WaitForTheClock();
    Case.Write(After);
    fs::last_write_time(Path, Case.Modified);
    ASSERT_EQ(ReadBytes(Path), After);
    ASSERT_EQ(fs::last_write_time(Path), Case.Modified);
    EXPECT_EQ(Counted("300000001"), Case.Found300);
    EXPECT_EQ(Counted("400000004"), Case.Found400);
  }
}

// The month's SSN check counts every member it could read, from every file of
// the month on disk, and says which files it could not read whole, once each,
// with why: also when it answers from what it kept of an unchanged file. A file
// the file system refuses is one of them, not an error at every key typed.
TEST_F(Merging, IsSSNUniqueCountsWhatCouldBeReadAndTellsWhatCouldNot) {
  using K = TReadProblem::TKind;
  const std::string Report = DataDir() + "20040900.123";  // a1 a2
  const std::string Middle = DataDir() + "20040911.123";  // b1 b2 b3
  const std::string Last = DataDir() + "20040920.123";    // c1
  // Member i of the file stops after At of its 326 characters.
  auto CutMember = [](const std::string& Path, size_t i, size_t At) {
    const std::string Bytes = ReadBytes(Path);
    const size_t Start = 54 + 328 * i;
    WriteBytes(Path, Bytes.substr(0, Start + At) + "\r\n" + Bytes.substr(Start + 328));
  };
  // Rewrites the file's text at Column (1-based) of its line Line.
  auto Poke = [](const std::string& Path, size_t Line, size_t Column, const std::string& Text) {
    std::string Bytes = ReadBytes(Path);
    Bytes.replace(54 + 328 * (Line - 1) + Column - 1, Text.size(), Text);
    WriteBytes(Path, Bytes);
  };
  struct TUnread {
    K Kind;
    std::string Path;
    std::string Detail;  // its beginning
  };
  struct TCase {
    const char* What;
    std::function<void()> Spoil;
    std::vector<int32_t> Counts;  // of a1 a2 b1 b2 b3 c1
    std::vector<TUnread> Unread;
  };
  const TCase Cases[] = {
      {"all read whole", [] {}, {1, 1, 1, 1, 1, 1}, {}},
      {"a member cut short running into the next line", [&] { CutMember(Middle, 1, 150); },
       {1, 1, 1, 0, 0, 1}, {{K::CutShort, Middle, ""}}},
      {"an amount beyond", [&] { Poke(Middle, 2, 305, "9999999999"); }, {1, 1, 1, 1, 1, 1},
       {{K::AmountBeyond, Middle, "Value 99999999.99 does not fit field ContribVoluntaryPostTax"}}},
      {"the report's totals beyond",
       [&] {
         Poke(Report, 1, 305, "1500000000");
         Poke(Report, 2, 305, "1500000000");
       },
       {1, 1, 1, 1, 1, 1}, {{K::TotalBeyond, Report, "Value 30000000.00 does not fit field TotalVolContribAmt"}}},
      {"a record count beyond", [&] { Poke(Last, 2, 6, "99999999999"); }, {1, 1, 1, 1, 1, 1},
       {{K::CountBeyond, Last, "Value 99999999999 does not fit field TotalRecCount"}}},
      {"a file that cannot be read",
       [&] {
         ::unlink(Last.c_str());
         ASSERT_EQ(::mkfifo(Last.c_str(), 0600), 0);
       },
       {1, 1, 1, 1, 1, 0}, {{K::Unreadable, Last, "Cannot open file"}}},
      {"the report missing", [&] { ::unlink(Report.c_str()); }, {0, 0, 1, 1, 1, 1}, {}},
      {"two files spoilt",
       [&] {
         CutMember(Report, 1, 10);
         Poke(Last, 1, 256, "-9999999999");
       },
       {1, 0, 1, 1, 1, 1},
       {{K::CutShort, Report, ""},
        {K::AmountBeyond, Last, "Value -99999999.99 does not fit field SalaryPensionAmount"}}},
  };
  const std::string SSNs[] = {"100000001", "100000002", "200000001", "200000002", "200000003", "300000001"};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    WriteMonth();
    delete Files;
    Files = nullptr;
    Month();  // the month's files as listed before one is spoilt
    C.Spoil();
    // Twice: the second time from what was kept.
    for (int Pass = 0; Pass < 2; ++Pass) {
      SCOPED_TRACE(Pass == 0 ? "read" : "kept");
      std::vector<int32_t> Counts;
      std::vector<TReadProblem> Unread;
      for (const std::string& SSN : SSNs) {
        ASSERT_NO_THROW(Counts.push_back(CountSSNInPeriod(Month()->Amendments, SSN, &Unread)));
        ASSERT_EQ(Unread.size(), C.Unread.size());
        for (size_t i = 0; i < Unread.size(); ++i) {
          EXPECT_EQ(Unread[i].Kind, C.Unread[i].Kind);
          EXPECT_EQ(Unread[i].Path, C.Unread[i].Path);
          EXPECT_EQ(Unread[i].Detail.substr(0, C.Unread[i].Detail.size()), C.Unread[i].Detail);
        }
      }
      EXPECT_EQ(Counts, C.Counts);
    }
    // The check itself speaks only of a duplicate; the caller gets the rest.
    TTransShort Caller;
    std::vector<TReadProblem> Unread;
    EXPECT_TRUE(Caller.IsSSNUnique("200000001", 1, &Unread));
    EXPECT_EQ(Unread.size(), C.Unread.size());
    EXPECT_TRUE(FEnv.Boxes.empty());
    ::unlink(Last.c_str());
  }
}

TEST_F(Merging, IsSSNUniqueWithoutPeriodsIsTrue) {
  TTransShort Caller;
  EXPECT_TRUE(Caller.IsSSNUnique("100000001", 0));  // no tree at all
  Files = new TFileCollection("123");                // an empty data folder
  EXPECT_TRUE(Caller.IsSSNUnique("100000001", 0));
  EXPECT_TRUE(FEnv.Boxes.empty());
}

}  // namespace

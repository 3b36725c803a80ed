// The generic record reader and writer: what every kind of file leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FakeEnv.h"
#include "PTrans.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

const std::string CRLF = "\r\n";

std::string Line(const std::string& Tag, size_t Length, char Fill) {
  return Tag + std::string(Length - Tag.size(), Fill);
}

const std::string H = Line("HEAD ", 52, 'h');
const std::string D1 = Line("TRANS", 326, '1');
const std::string D2 = Line("TRANS", 326, '2');
const std::string D3 = Line("TRANS", 326, '3');
const std::string T = Line("TRAIL", 98, 't');
// What the object holds before each load; the tags differ too, to show when
// the reader puts the file's tag back.
const std::string OldHeader = Line("OLDHD", 52, 'o');
const std::string OldTrailer = Line("OLDTR", 98, 'o');

std::string Buf(const TRecord* Record) { return std::string(Record->Buffer, Record->RecordLength); }

void Preload(TTransShort& Trans) {
  std::copy(OldHeader.begin(), OldHeader.end(), Trans.Header->Buffer);
  std::copy(OldTrailer.begin(), OldTrailer.end(), Trans.Trailer->Buffer);
  for (int i = 0; i < 3; ++i) Trans.Details.Add(std::make_unique<TRecord>(326, &Trans.FieldLists[2]));
}

struct TReadCase {
  const char* Name;
  std::string Bytes;
  bool Result;
  std::vector<std::string> Details;
  std::string Header;
  std::string Trailer;
};

std::vector<TReadCase> ReadCases() {
  return {
      {"EmptyFile", "", false, {}, OldHeader, OldTrailer},
      {"ShorterThanTag", "HEA", false, {}, OldHeader, OldTrailer},
      {"FirstTagNotHeader", D1 + CRLF + T + CRLF, false, {}, OldHeader, OldTrailer},
      {"HeaderCutShort", H.substr(0, 25), false, {}, OldHeader.substr(0, 5) + H.substr(5, 20) + OldHeader.substr(25),
       OldTrailer},
      {"OnlyHeader", H + CRLF, false, {}, H, OldTrailer},
      {"HeaderWithoutLineEnd", H, false, {}, H, OldTrailer},
      {"TagAfterHeaderCut", H + CRLF + "TRA", false, {}, H, OldTrailer},
      {"TagAfterDetailCut", H + CRLF + D1 + CRLF + "TR", false, {D1}, H, OldTrailer},
      {"DetailCutShort", H + CRLF + D1 + CRLF + D2.substr(0, 100), false, {D1}, H, OldTrailer},
      {"NoTrailer", H + CRLF + D1 + CRLF + D2 + CRLF, false, {D1, D2}, H, OldTrailer},
      {"ForeignTagThenEnd", H + CRLF + D1 + CRLF + "XXXXX", false, {D1}, H, OldTrailer},
      {"ForeignLine", H + CRLF + D1 + CRLF + Line("XXXXX", 98, 'x') + CRLF, false, {D1}, H, OldTrailer},
      {"EndsRightAfterTrailTag", H + CRLF + D1 + CRLF + "TRAIL", false, {D1}, H, OldTrailer},
      {"LineFeedOnly", H + "\n" + D1 + "\n" + T + "\n", false, {}, H, OldTrailer},
      {"BlankLineBetweenDetails", H + CRLF + D1 + CRLF + CRLF + D2 + CRLF + T + CRLF, false, {D1}, H,
       OldTrailer},
      {"HeaderAndTrailer", H + CRLF + T + CRLF, true, {}, H, T},
      {"TwoMembers", H + CRLF + D1 + CRLF + D2 + CRLF + T + CRLF, true, {D1, D2}, H, T},
      // A line end inside a record is where its line stopped: a member holding
      // one is no member, whatever follows, and reading stops before it.
      {"FirstMemberCutAtItsStart", H + CRLF + "TRANS" + CRLF + D1 + CRLF + T + CRLF, false, {}, H, OldTrailer},
      {"MiddleMemberCutRunsIntoTheNext",
       H + CRLF + D1 + CRLF + D2.substr(0, 150) + CRLF + D3 + CRLF + T + CRLF, false, {D1}, H, OldTrailer},
      {"LastMemberCutRunsIntoTheTrailer", H + CRLF + D1 + CRLF + D2.substr(0, 150) + CRLF + T + CRLF, false,
       {D1}, H, OldTrailer},
      {"MemberHoldingALoneLineFeed", H + CRLF + D1.substr(0, 200) + "\n" + D1.substr(201) + CRLF + T + CRLF,
       false, {}, H, OldTrailer},
      {"MemberHoldingALoneCarriageReturn",
       H + CRLF + D1 + CRLF + D2.substr(0, 325) + "\r" + CRLF + T + CRLF, false, {D1}, H, OldTrailer},
      // A header holding a line end keeps the bytes before it, as one cut short does.
      {"HeaderCutRunsIntoTheMembers", H.substr(0, 30) + CRLF + D1 + CRLF + T + CRLF, false, {},
       OldHeader.substr(0, 5) + H.substr(5, 25) + OldHeader.substr(30), OldTrailer},
      // The short last line is taken up to its end; the rest keeps its old content.
      {"ShortTrailer", H + CRLF + T.substr(0, 70) + CRLF, true, {}, H, T.substr(0, 70) + OldTrailer.substr(70)},
      {"ShortTrailerThenMoreLines", H + CRLF + T.substr(0, 70) + CRLF + D1 + CRLF, true, {}, H,
       T.substr(0, 70) + OldTrailer.substr(70)},
      {"ShortTrailerEndingInALoneLineFeed", H + CRLF + D1 + CRLF + T.substr(0, 80) + "\n" + D2, true, {D1}, H,
       T.substr(0, 80) + OldTrailer.substr(80)},
      {"TrailerWithoutLineEnd", H + CRLF + T, true, {}, H, T},
      {"DataAfterTrailer", H + CRLF + T + CRLF + D1 + CRLF + "garbage", true, {}, H, T},
      // The line ends are skipped, never tested.
      {"AnyTwoLineEndBytes", H + "ab" + D1 + std::string(2, '\0') + T + "zz", true, {D1}, H, T},
  };
}

// A failing case is named, not dumped byte by byte.
void PrintTo(const TReadCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ReaderTest : public testing::TestWithParam<TReadCase> {
 protected:
  TFakeEnv FEnv;
  TTempDir FDir;
};

TEST_P(ReaderTest, LeavesWhatTheFailureTableSays) {
  const TReadCase& Case = GetParam();
  TTransShort Trans;
  Preload(Trans);
  Trans.FileName = FDir.File("20040900.123");
  WriteBytes(Trans.FileName, Case.Bytes);

  EXPECT_EQ(Trans.TTrans::LoadFromFile(), Case.Result);
  ASSERT_EQ(Trans.Details.Count(), static_cast<int32_t>(Case.Details.size()));
  for (size_t i = 0; i < Case.Details.size(); ++i) {
    EXPECT_EQ(Buf(Trans.Details[static_cast<int32_t>(i)]), Case.Details[i]) << "detail " << i;
    EXPECT_TRUE(Trans.Details[static_cast<int32_t>(i)]->Visible);
  }
  EXPECT_EQ(Buf(Trans.Header.get()), Case.Header);
  EXPECT_EQ(Buf(Trans.Trailer.get()), Case.Trailer);
  // Reading never changes the file.
  EXPECT_EQ(ReadBytes(Trans.FileName), Case.Bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, ReaderTest, testing::ValuesIn(ReadCases()),
                         [](const testing::TestParamInfo<TReadCase>& Info) { return Info.param.Name; });

// A missing size or name returns False before anything is opened or changed.
TEST(ReaderSetup, MissingSizeOrNameChangesNothing) {
  TFakeEnv Env;
  TTempDir Dir;
  std::string Path = Dir.File("20040900.123");
  WriteBytes(Path, H + CRLF + T + CRLF);
  struct TCase {
    const char* Name;
    void (*Break)(TTransShort&);
  };
  const TCase Cases[] = {
      {"TagLength", [](TTransShort& X) { X.TagLength = 0; }},
      {"TagStart", [](TTransShort& X) { X.TagStart = 0; }},
      {"HeaderLength", [](TTransShort& X) { X.HeaderLength = 0; }},
      {"DetailLength", [](TTransShort& X) { X.DetailLength = 0; }},
      {"TrailerLength", [](TTransShort& X) { X.TrailerLength = 0; }},
      {"FileName", [](TTransShort& X) { X.FileName.clear(); }},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TTransShort Trans;
    Preload(Trans);
    Trans.FileName = Path;
    Case.Break(Trans);
    EXPECT_FALSE(Trans.TTrans::LoadFromFile());
    EXPECT_EQ(Trans.Details.Count(), 3);
    EXPECT_EQ(Buf(Trans.Header.get()), OldHeader);
    EXPECT_EQ(Buf(Trans.Trailer.get()), OldTrailer);
  }
}

TEST(ReaderErrors, UnopenableFilesRaiseAndKeepTheMembers) {
  TFakeEnv Env;
  TTempDir Dir;
  ASSERT_EQ(::mkfifo(Dir.File("fifo").c_str(), 0600), 0);
  ::mkdir(Dir.File("folder").c_str(), 0700);
  for (const char* Name : {"missing.123", "folder", "fifo", "nofolder/20040900.123"}) {
    SCOPED_TRACE(Name);
    TTransShort Trans;
    Preload(Trans);
    Trans.FileName = Dir.File(Name);
    EXPECT_THROW(Trans.LoadFromFile(), EInOutError);
    EXPECT_EQ(Trans.Details.Count(), 3);
    EXPECT_EQ(Buf(Trans.Header.get()), OldHeader);
  }
}

TEST(ReaderErrors, ReadOnlyFileRaises) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  TFakeEnv Env;
  TTempDir Dir;
  TTransShort Trans;
  Trans.FileName = Dir.File("20040900.123");
  WriteBytes(Trans.FileName, H + CRLF + T + CRLF);
  ::chmod(Trans.FileName.c_str(), 0444);
  EXPECT_THROW(Trans.LoadFromFile(), EInOutError);
}

TEST(Reader, ReloadReplacesEveryMember) {
  TFakeEnv Env;
  TTempDir Dir;
  TTransShort Trans;
  Trans.FileName = Dir.File("20040900.123");
  WriteBytes(Trans.FileName, H + CRLF + D1 + CRLF + D2 + CRLF + T + CRLF);
  ASSERT_TRUE(Trans.TTrans::LoadFromFile());
  Trans.CurIndex = 1;
  std::string T2 = Line("TRAIL", 98, 'u');
  WriteBytes(Trans.FileName, H + CRLF + D2 + CRLF + T2 + CRLF);
  ASSERT_TRUE(Trans.TTrans::LoadFromFile());
  ASSERT_EQ(Trans.Details.Count(), 1);
  EXPECT_EQ(Buf(Trans.Details[0]), D2);
  EXPECT_EQ(Buf(Trans.Trailer.get()), T2);
  EXPECT_EQ(Trans.CurIndex, 1);  // loading leaves the cursor to the editor
}

TEST(Writer, WritesEveryLineWithCrLfInListOrder) {
  TFakeEnv Env;
  TTempDir Dir;
  TTransShort Trans;
  std::copy(H.begin(), H.end(), Trans.Header->Buffer);
  std::copy(T.begin(), T.end(), Trans.Trailer->Buffer);
  Trans.FileName = Dir.File("20040900.123");
  EXPECT_TRUE(Trans.TTrans::SaveToFile(false));
  EXPECT_EQ(ReadBytes(Trans.FileName), H + CRLF + T + CRLF);

  for (const std::string* D : {&D2, &D1}) {
    auto Record = std::make_unique<TRecord>(326, &Trans.FieldLists[2]);
    std::copy(D->begin(), D->end(), Record->Buffer);
    Trans.Details.Add(std::move(Record));
  }
  EXPECT_TRUE(Trans.TTrans::SaveToFile(false));
  EXPECT_EQ(ReadBytes(Trans.FileName), H + CRLF + D2 + CRLF + D1 + CRLF + T + CRLF);

  // Read back, every record is the same to the byte.
  TTransShort Back;
  Back.FileName = Trans.FileName;
  ASSERT_TRUE(Back.TTrans::LoadFromFile());
  EXPECT_EQ(Buf(Back.Header.get()), H);
  ASSERT_EQ(Back.Details.Count(), 2);
  EXPECT_EQ(Buf(Back.Details[0]), D2);
  EXPECT_EQ(Buf(Back.Details[1]), D1);
  EXPECT_EQ(Buf(Back.Trailer.get()), T);
}

TEST(Writer, EmptyNameIsFalseAndWritesNothing) {
  TFakeEnv Env;
  TTransShort Trans;
  EXPECT_FALSE(Trans.TTrans::SaveToFile(false));
}

TEST(Writer, MissingFolderRaises) {
  TFakeEnv Env;
  TTempDir Dir;
  TTransShort Trans;
  Trans.FileName = Dir.File("nofolder/20040900.123");
  EXPECT_THROW(Trans.TTrans::SaveToFile(false), EInOutError);
}

TEST(Writer, NewFileGetsTheUsualPermissions) {
  TFakeEnv Env;
  TTempDir Dir;
  TTransShort Trans;
  Trans.FileName = Dir.File("20040900.123");
  mode_t Old = ::umask(022);
  bool Saved = Trans.TTrans::SaveToFile(false);
  ::umask(Old);
  ASSERT_TRUE(Saved);
  struct stat Info {};
  ASSERT_EQ(::stat(Trans.FileName.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 07777, 0644u);
}

TEST(Helpers, MatchTag) {
  struct TCase {
    std::string Tag;
    int32_t Start;
    std::string Buffer;
    bool Match;
  };
  const TCase Cases[] = {
      {"HEAD ", 1, "HEAD x", true}, {"HEAD ", 1, "HEADx", false}, {"TRANS", 1, "trans", false},
      {"", 1, "", true},            {"AN", 2, "TAN", true},       {"AN", 1, "TAN", false},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(MatchTag(Case.Tag, Case.Start, Case.Buffer.data()), Case.Match) << Case.Tag << "@" << Case.Buffer;
}

TEST(Helpers, FieldDefinitionsAppendTheirKind) {
  TFieldList List;
  AddStringField("S", &List, 1, 5);
  AddDateField("D", &List, 6, 8);
  AddDoubleField("N", &List, 100, 14, 11);
  ASSERT_EQ(List.Count(), 3);
  EXPECT_NE(dynamic_cast<TStringField*>(List[0]), nullptr);
  EXPECT_NE(dynamic_cast<TStdDateField*>(List[1]), nullptr);
  auto* Number = dynamic_cast<TDoubleField*>(List[2]);
  ASSERT_NE(Number, nullptr);
  EXPECT_EQ(Number->Scale, 100);  // the scale comes before the columns
  EXPECT_EQ(Number->Start, 14);
  EXPECT_EQ(Number->Length, 11);
  EXPECT_EQ(List[1]->Name, "D");
}

TEST(Helpers, InitRecordsTagsHeaderThenTrailer) {
  struct TProbe : TTrans {
    std::string Calls;
    void SetRecordType(TRecord*, const std::string&) override {}
    void InitHeader() override { Calls += "H"; }
    void InitTrailer() override { Calls += "T"; }
    void InitDetail(TRecord*) override {}
  } Probe;
  Probe.InitRecords();
  EXPECT_EQ(Probe.Calls, "HT");
}

TEST(Helpers, VisibleCountSkipsHiddenMembers) {
  TTransShort Trans;
  EXPECT_EQ(Trans.VisibleCount(), 0);
  for (int i = 0; i < 4; ++i) Trans.Details.Add(std::make_unique<TRecord>(326, &Trans.FieldLists[2]));
  Trans.Details[1]->Visible = false;
  Trans.Details[3]->Visible = false;
  EXPECT_EQ(Trans.VisibleCount(), 2);
}

}  // namespace

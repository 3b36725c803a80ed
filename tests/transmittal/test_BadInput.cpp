// Files that are not transmittals: every byte sequence is read without a crash, a
// hang or a read outside a buffer, and what was read can be checked and saved.
// Also writes the seed corpus of the file reader's fuzz target.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "FakeEnv.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

const std::string CRLF = "\r\n";

std::string Pad(const std::string& Tag, size_t Length, char Fill = ' ') {
  return Tag + std::string(Length - Tag.size(), Fill);
}

std::string Garbage(size_t Size, unsigned Seed) {
  std::mt19937 Random(Seed);
  std::string Bytes(Size, '\0');
  for (char& C : Bytes) C = static_cast<char>(Random() & 0xFF);
  return Bytes;
}

// A valid one-member file as the program writes it.
std::string ValidFile() {
  TTempDir Dir;
  TTransShort T;
  FillValidHeader(T);
  AddMember(T);
  T.FileName = Dir.File("20040900.123");
  T.SaveToFile(true);
  return ReadBytes(T.FileName);
}

struct TBadCase {
  const char* Name;
  std::string Bytes;
  bool Result;
  int32_t Members;
};

std::vector<TBadCase> BadCases() {
  const std::string Valid = ValidFile();
  const std::string H = Valid.substr(0, 54);
  const std::string D = Valid.substr(54, 328);
  const std::string T = Valid.substr(382);
  std::string HighBytes = D;
  for (size_t i = 5; i < 326; ++i) HighBytes[i] = static_cast<char>(0x80 + i % 128);
  std::string Nuls = D;
  std::fill(Nuls.begin() + 5, Nuls.begin() + 326, '\0');
  std::string ManyMembers = H;
  for (int i = 0; i < 20000; ++i) ManyMembers += D;
  ManyMembers += T;
  return {
      {"Empty", "", false, 0},
      {"OneByte", "H", false, 0},
      {"CutInHeaderTag", "HEAD", false, 0},
      {"CutInDetailTag", H + "TRAN", false, 0},
      {"CutInTrailerTag", H + D + "TRAI", false, 1},
      {"CutInsideTrailer", H + D + T.substr(0, 40), true, 1},
      {"TrailerTagOnly", H + D + "TRAIL", false, 1},
      {"LineFeedOnly", Valid.substr(0, 52) + "\n" + D.substr(0, 326) + "\n" + T.substr(0, 98) + "\n", false, 0},
      {"BlankLines", H + CRLF + D + CRLF + T, false, 0},
      {"BytesAbove127", H + HighBytes + T, true, 1},
      {"NulBytes", H + Nuls + T, true, 1},
      {"NulFile", std::string(4096, '\0'), false, 0},
      {"DataAfterTrailer", Valid + Garbage(10000, 1), true, 1},
      {"HeaderThenGarbage", H + Garbage(3 << 20, 2), false, 0},
      {"Garbage", Garbage(4 << 20, 3), false, 0},
      {"TagsOnly", Pad("HEAD ", 54) + std::string(5 * 100000, 'T'), false, 0},
      {"DetailTagsWithoutBodies", H + std::string("TRANS") + "TRANS" + "TRANS", false, 0},
      {"ManyMembers", ManyMembers, true, 20000},
  };
}

class BadInput : public testing::TestWithParam<TBadCase> {
 protected:
  TFakeEnv FEnv;
  TTempDir FDir;
};

TEST_P(BadInput, ReadsCheckedAndSavedWithoutHarm) {
  const TBadCase& Case = GetParam();
  TTransShort Trans;
  Trans.FileName = FDir.File("20040900.123");
  WriteBytes(Trans.FileName, Case.Bytes);
  EXPECT_EQ(Trans.LoadFromFile(), Case.Result);
  EXPECT_EQ(Trans.Details.Count(), Case.Members);
  // Whatever came in can be checked, sorted and written out again.
  Trans.Validate();
  Trans.Resort();
  try {
    Trans.FileName = FDir.File("20041000.123");
    Trans.SaveToFile(true);
  } catch (const Exception&) {
    // Amounts whose text does not fit their field are refused loudly.
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BadInput, testing::ValuesIn(BadCases()),
                         [](const testing::TestParamInfo<TBadCase>& Info) { return Info.param.Name; });

// Seeds for the fuzz target: whole files and the shapes the reader must tell apart.
TEST(FuzzSeeds, WriteSeedCorpus) {
  TFakeEnv Env;
  const std::string Folder = std::string(KSF_FUZZ_SEED_DIR) + "/fuzz_LoadFromFile/";
  std::filesystem::create_directories(Folder);
  const std::string Valid = ValidFile();
  const std::string H = Valid.substr(0, 54);
  const std::string D = Valid.substr(54, 328);
  const std::string T = Valid.substr(382);
  const std::pair<const char*, std::string> Seeds[] = {
      {"valid_one_member", Valid},
      {"valid_no_members", H + T},
      {"valid_three_members", H + D + D + D + T},
      {"reference_two_members", ReadBytes(std::string(KSF_TEST_DATA_DIR) + "/20040900.123")},
      {"short_trailer", H + D + T.substr(0, 50)},
      {"no_trailer", H + D},
      {"lf_only", Valid.substr(0, 52) + "\n" + D.substr(0, 326) + "\n" + T.substr(0, 98) + "\n"},
      {"blank_codes", H + D.substr(0, 14) + " " + D.substr(15, 76) + "  " + D.substr(93) + T},
      // Line ends inside records: where a line stopped short.
      {"member_cut_runs_into_next", H + D.substr(0, 150) + CRLF + D + D + T},
      {"header_cut_runs_into_members", H.substr(0, 30) + CRLF + D + T},
      {"short_trailer_then_lines", H + D + T.substr(0, 70) + CRLF + D},
      // Whole numbers beyond what is stored: a member's amount, the trailer's count.
      {"amount_beyond", H + D.substr(0, 315) + "9999999999 " + D.substr(326) + T},
      {"count_beyond", H + D + T.substr(0, 5) + "99999999999" + T.substr(16)},
  };
  for (const auto& [Name, Bytes] : Seeds) {
    WriteBytes(Folder + Name, Bytes);
    EXPECT_EQ(ReadBytes(Folder + Name), Bytes);
  }
}

}  // namespace

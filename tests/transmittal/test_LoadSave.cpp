// Loading with defaults for blank codes, and saving with the header from the file
// name and the totals recomputed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FakeEnv.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

std::string RawField(const TRecord* R, const std::string& Name) {
  const TField& F = R->FieldByName(Name);
  return std::string(R->Buffer + F.Start - 1, static_cast<size_t>(F.Length));
}

void SetRaw(TRecord* R, const std::string& Name, const std::string& Text) {
  const TField& F = R->FieldByName(Name);
  std::string Padded = Text + std::string(static_cast<size_t>(F.Length) - Text.size(), ' ');
  std::copy(Padded.begin(), Padded.end(), R->Buffer + F.Start - 1);
}

class LoadSave : public testing::Test {
 public:
  void TearDown() override { VersionText.clear(); }

  // Writes a file of a valid header (created 01/02/2003), the members built by
  // Edit, and a trailer with stale totals; returns its bytes.
  std::string WriteFile(const std::string& Name, int Members,
                        const std::function<void(TRecord*, int)>& Edit = nullptr,
                        const std::function<void(TRecord*)>& EditTrailer = nullptr) {
    TTransShort Source;
    FillValidHeader(Source);
    Source.Header->SetAsString(fnBatchCreateDate, "01/02/2003");
    for (int i = 0; i < Members; ++i) {
      TRecord* R = AddMember(Source, std::to_string(100000000 + i));
      if (Edit) Edit(R, i);
    }
    Source.Trailer->SetAsFloat(fnTotalRecCount, 99);
    if (EditTrailer) EditTrailer(Source.Trailer.get());
    Source.FileName = FDir.File(Name);
    EXPECT_TRUE(Source.TTrans::SaveToFile(true));
    return ReadBytes(Source.FileName);
  }

  TFakeEnv FEnv;  // today 2004-09-15
  TTempDir FDir;
};

struct TDefaultCase {
  std::string Field;
  std::string Stored;
};

class LoadDefaults : public LoadSave, public testing::WithParamInterface<TDefaultCase> {};

TEST_P(LoadDefaults, BlankFieldGetsItsDefaultAndTheFileIsRewritten) {
  const TDefaultCase& Case = GetParam();
  std::string Path = FDir.File("20040900.123");
  WriteFile("20040900.123", 2, [&](TRecord* R, int i) {
    if (i == 1) SetRaw(R, Case.Field, "");
  });

  TTransShort Trans;
  Trans.FileName = Path;
  ASSERT_TRUE(Trans.LoadFromFile());
  ASSERT_EQ(Trans.Details.Count(), 2);
  EXPECT_EQ(RawField(Trans.Details[1], Case.Field), Case.Stored);

  // The rewrite: forced, with today's date and fresh totals; the member keeps the default.
  TTransShort Back;
  Back.FileName = Path;
  ASSERT_TRUE(Back.TTrans::LoadFromFile());
  EXPECT_EQ(RawField(Back.Details[1], Case.Field), Case.Stored);
  EXPECT_EQ(Back.Header->GetAsString(fnBatchCreateDate), "09/15/2004");
  EXPECT_EQ(Back.Trailer->GetAsInteger(fnTotalRecCount), 2);
  EXPECT_DOUBLE_EQ(Back.Trailer->GetAsFloat(fnTotalEmplContribAmt), 140);
  EXPECT_EQ(ReadBytes(Path).size(), 154u + 2 * 328u);
}

INSTANTIATE_TEST_SUITE_P(Fields, LoadDefaults,
                         testing::Values(TDefaultCase{fnNamePrefix, "0"}, TDefaultCase{fnNameSuffix, "0"},
                                         TDefaultCase{fnAddressEffectiveDate, "12301899"},
                                         TDefaultCase{fnGenderCD, "3"}, TDefaultCase{fnMaritalStatusCD, "6"},
                                         TDefaultCase{fnAddressState, DefaultState}),
                         [](const testing::TestParamInfo<TDefaultCase>& Info) { return Info.param.Field; });

TEST_F(LoadSave, DateDefaultReadsAsDayZero) {
  WriteFile("20040900.123", 1, [](TRecord* R, int) { SetRaw(R, fnAddressEffectiveDate, ""); });
  TTransShort Trans;
  Trans.FileName = FDir.File("20040900.123");
  ASSERT_TRUE(Trans.LoadFromFile());
  EXPECT_EQ(Trans.Details[0]->GetAsString(fnAddressEffectiveDate), "12/30/1899");
  EXPECT_EQ(Trans.Details[0]->GetAsDateTime(fnAddressEffectiveDate), 0);
}

// Nothing to fill, or nothing read completely: the file stays as it was, byte for byte.
TEST_F(LoadSave, FilesThatAreNotRewritten) {
  struct TCase {
    const char* Name;
    std::function<std::string(LoadSave&)> Make;
    bool Result;
  };
  const TCase Cases[] = {
      {"NoBlankCodes", [](LoadSave& T) { return T.WriteFile("20040900.123", 2); }, true},
      {"StrayCharactersAreKept",
       [](LoadSave& T) {
         return T.WriteFile("20040900.123", 1, [](TRecord* R, int) {
           SetRaw(R, fnGenderCD, "x");
           SetRaw(R, fnAddressState, " 0");
         });
       },
       true},
      {"NoMembersHoweverBlank",
       [](LoadSave& T) {
         std::string Blank = "HEAD " + std::string(47, ' ') + "\r\nTRAIL" + std::string(93, ' ') + "\r\n";
         WriteBytes(T.FDir.File("20040900.123"), Blank);
         return Blank;
       },
       true},
      {"IncompleteFileWithBlankCodes",
       [](LoadSave& T) {
         std::string Bytes =
             T.WriteFile("20040900.123", 2, [](TRecord* R, int) { SetRaw(R, fnGenderCD, ""); });
         Bytes.resize(Bytes.size() - 100);  // no trailer
         WriteBytes(T.FDir.File("20040900.123"), Bytes);
         return Bytes;
       },
       false},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    std::string Before = Case.Make(*this);
    TTransShort Trans;
    Trans.FileName = FDir.File("20040900.123");
    EXPECT_EQ(Trans.LoadFromFile(), Case.Result);
    EXPECT_EQ(ReadBytes(Trans.FileName), Before);
  }
}

TEST_F(LoadSave, HeaderFollowsTheFileName) {
  TTransShort Trans;
  FillValidHeader(Trans);
  Trans.Header->SetAsString(fnEmployerID, "999");
  Trans.Header->SetAsString(fnBatchMonth, "01");
  Trans.Header->SetAsString(fnBatchYear, "1990");
  Trans.Header->SetAsString(fnBatchCreateDate, "01/02/2003");
  Trans.FileName = FDir.File("20041012.456");
  ASSERT_TRUE(Trans.SaveToFile(true));
  EXPECT_EQ(Trans.Header->GetAsString(fnEmployerID), "456");
  EXPECT_EQ(Trans.Header->GetAsString(fnBatchMonth), "10");
  EXPECT_EQ(Trans.Header->GetAsString(fnBatchYear), "2004");
  EXPECT_EQ(Trans.Header->GetAsString(fnBatchCreateDate), "09/15/2004");
  EXPECT_EQ(Trans.Header->GetAsString(fnBatchEmployerName), "Lakeside School");
  EXPECT_EQ(Trans.Trailer->GetAsString(fnFileName), "20041012.456");
}

// A name that does not begin with a digit still gets a year in the header and the
// trailer; the file keeps its own name.
TEST_F(LoadSave, NameWithoutLeadingDigit) {
  struct TCase {
    std::string Name;
    std::string Year;
    std::string Stored;
  };
  const TCase Cases[] = {{" 9990900.123", "1999", "19990900.123"},
                         {"x0040900.123", "2004", "20040900.123"},
                         {" 0040900.123", "2004", "20040900.123"}};
  for (const TCase& Case : Cases) {
    TTransShort Trans;
    Trans.FileName = FDir.File(Case.Name);
    ASSERT_TRUE(Trans.SaveToFile(true)) << Case.Name;
    EXPECT_EQ(Trans.Header->GetAsString(fnBatchYear), Case.Year);
    EXPECT_EQ(Trans.Trailer->GetAsString(fnFileName), Case.Stored);
    EXPECT_FALSE(ReadBytes(FDir.File(Case.Name)).empty());
  }
}

TEST_F(LoadSave, ShortNameIsFalseAndChangesNothing) {
  for (const std::string Name : {"", "0040900.123", "20040900.12"}) {
    TTransShort Trans;
    Trans.FileName = Name.empty() ? "" : FDir.File(Name);
    std::string Header(Trans.Header->Buffer, 52);
    EXPECT_FALSE(Trans.SaveToFile(false)) << Name;
    EXPECT_EQ(std::string(Trans.Header->Buffer, 52), Header);
  }
  EXPECT_TRUE(FDir.Entries().empty());
  EXPECT_TRUE(FEnv.ShownMessages.empty());
  EXPECT_TRUE(FEnv.Boxes.empty());
}

TEST_F(LoadSave, TotalsCountEveryMemberInListOrder) {
  VersionText = "3.0.0 beta";
  TTransShort Trans;
  FillValidHeader(Trans);
  const double Amounts[][4] = {{70, 12.5, 1.1, 100}, {35, 6.25, 2.2, 0}, {0.1, 0.2, 0.3, -0.4}};
  for (const auto& A : Amounts) {
    TRecord* R = AddMember(Trans);
    R->SetAsFloat(fnContribEmployeePreTax, A[0]);
    R->SetAsFloat(fnContribEmployerPreTax, A[1]);
    R->SetAsFloat(fnContribVoluntaryPostTax, A[2]);
    R->SetAsFloat(fnContribContractPostTax, A[3]);
  }
  Trans.Details[1]->Visible = false;                      // hidden members count too
  SetRaw(Trans.Details[2], fnContribContractPostTax, "");  // a blank amount adds 0
  Trans.FileName = FDir.File("20040900.123");
  ASSERT_TRUE(Trans.SaveToFile(true));
  const TRecord* T = Trans.Trailer.get();
  EXPECT_EQ(RawField(T, fnTotalRecCount), "3          ");
  EXPECT_EQ(RawField(T, fnTotalEmplContribAmt), "10510      ");
  EXPECT_EQ(RawField(T, fnTotalEmplrContribAmt), "1895       ");
  EXPECT_EQ(RawField(T, fnTotalVolContribAmt), "360        ");
  EXPECT_EQ(RawField(T, fnTotalCntrctPayAmt), "10000      ");
  EXPECT_EQ(RawField(T, fnTotalReceivables), "22765      ");
  EXPECT_EQ(T->GetAsString(fnVersion), "3.0.0 beta");
}

TEST_F(LoadSave, RefusedSaveShowsTheMessagesAndLeavesTheFile) {
  std::string Before = WriteFile("20040900.123", 1);
  TTransShort Trans;
  Trans.FileName = FDir.File("20040900.123");
  ASSERT_TRUE(Trans.LoadFromFile());
  Trans.Details[0]->SetAsString(fnLastName, "");
  Trans.Details[0]->SetAsFloat(fnContribEmployeePreTax, 10);
  EXPECT_FALSE(Trans.SaveToFile(false));
  ASSERT_EQ(FEnv.ShownMessages.size(), 1u);
  EXPECT_EQ(FEnv.ShownMessages[0],
            (std::vector<std::string>{
                "100-00-0000 : \"The last name is required\"!",
                "100-00-0000 : \"Regular contribution($10.00) <> 7% from pensionable amount($70.00)\"!"}));
  EXPECT_EQ(ReadBytes(Trans.FileName), Before);
  // The recomputed header and trailer stay in memory all the same.
  EXPECT_EQ(Trans.Header->GetAsString(fnBatchCreateDate), "09/15/2004");
  EXPECT_DOUBLE_EQ(Trans.Trailer->GetAsFloat(fnTotalEmplContribAmt), 10);
  EXPECT_EQ(Trans.Trailer->GetAsInteger(fnTotalRecCount), 1);

  // Forced, the same transmittal is written.
  EXPECT_TRUE(Trans.SaveToFile(true));
  TTransShort Back;
  Back.FileName = Trans.FileName;
  ASSERT_TRUE(Back.LoadFromFile());
  EXPECT_EQ(Back.Details[0]->GetAsString(fnLastName), "");
  EXPECT_EQ(FEnv.ShownMessages.size(), 1u);
}

TEST_F(LoadSave, ValidatedSaveChecksTheRecomputedTrailer) {
  TTransShort Trans;
  FillValidHeader(Trans);
  AddMember(Trans);
  // The stale trailer would fail; the save recomputes it before it checks.
  Trans.FileName = FDir.File("20040900.123");
  EXPECT_TRUE(Trans.SaveToFile(false)) << testing::PrintToString(ErrorList->Messages);
  EXPECT_TRUE(FEnv.ShownMessages.empty());
}

// Totals beyond the format's range are refused loudly; the file on disk is untouched.
TEST_F(LoadSave, TotalThatDoesNotFitRaisesAndWritesNothing) {
  std::string Before = WriteFile("20040900.123", 0);
  TTransShort Trans;
  for (int i = 0; i < 2; ++i) AddMember(Trans)->SetAsFloat(fnContribVoluntaryPostTax, 20000000);
  Trans.FileName = FDir.File("20040900.123");
  EXPECT_THROW(Trans.SaveToFile(true), Exception);
  EXPECT_EQ(ReadBytes(Trans.FileName), Before);
}

// The refusal names the total that does not fit: a sum of one kind, or only the
// grand total of sums that each fit.
TEST_F(LoadSave, TheTotalThatDoesNotFitIsNamed) {
  struct Case {
    const char* What;
    double Regular[2];
    double Health[2];
    const std::string& Field;
  };
  const Case Cases[] = {
      {"one sum", {15000000, 15000000}, {0, 0}, fnTotalEmplContribAmt},
      {"the grand total", {15000000, 0}, {0, 15000000}, fnTotalReceivables},
  };
  for (const Case& C : Cases) {
    TTransShort Trans;
    for (int i = 0; i < 2; ++i) {
      TRecord* R = AddMember(Trans, std::to_string(100000000 + i));
      R->SetAsFloat(fnContribEmployeePreTax, C.Regular[i]);
      R->SetAsFloat(fnContribEmployerPreTax, C.Health[i]);
    }
    Trans.FileName = FDir.File("20040900.123");
    try {
      Trans.SaveToFile(true);
      ADD_FAILURE() << C.What << ": saved";
    } catch (const Exception& E) {
      EXPECT_EQ(std::string(E.what()), "Value 30000000.00 does not fit field " + C.Field) << C.What;
    }
    EXPECT_FALSE(std::filesystem::exists(Trans.FileName)) << C.What;
  }
}

// The trailer gets every figure or none: one that does not fit raises, naming it,
// before any other is written, so the totals shown beside the grids (which read
// the trailer) never mix new figures with old ones after a save that raised.
TEST_F(LoadSave, TrailerTotalsAreWrittenAllOrNothing) {
  struct TCase {
    const char* What;
    double Regular[2];
    double Health[2];
    const std::string& Field;
  };
  const TCase Cases[] = {
      {"a sum after one that fits", {10, 20}, {15000000, 15000000}, fnTotalEmplrContribAmt},
      {"the grand total after four sums that fit", {15000000, 0}, {0, 15000000}, fnTotalReceivables},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    TTransShort Trans;
    for (int i = 0; i < 2; ++i) {
      TRecord* R = AddMember(Trans, std::to_string(100000000 + i));
      R->SetAsFloat(fnContribEmployeePreTax, C.Regular[i]);
      R->SetAsFloat(fnContribEmployerPreTax, C.Health[i]);
    }
    SetRaw(Trans.Trailer.get(), fnTotalRecCount, "7");
    SetRaw(Trans.Trailer.get(), fnTotalEmplContribAmt, "111");
    SetRaw(Trans.Trailer.get(), fnTotalEmplrContribAmt, "222");
    SetRaw(Trans.Trailer.get(), fnTotalReceivables, "333");
    const std::string Before(Trans.Trailer->Buffer, 98);
    try {
      Trans.SetTrailerTotals(Trans.MemberTotals());
      ADD_FAILURE() << "written";
    } catch (const EDoesNotFit& E) {
      EXPECT_EQ(E.FieldName, C.Field);
    }
    EXPECT_EQ(std::string(Trans.Trailer->Buffer, 98), Before);
    Trans.FileName = FDir.File("20040900.123");
    EXPECT_THROW(Trans.SaveToFile(true), EDoesNotFit);
    EXPECT_EQ(std::string(Trans.Trailer->Buffer, 98), Before);
  }
}

// A value that cannot be kept raises at load, naming it, before any default is
// filled, so the file stays as it was: a member's number beyond the range its
// field stores (it would read, sum and save as 0), totals too large for the
// trailer, or a count or total the trailer holds beyond its range (read as 0,
// the check after loading would fail on it, unseen). A number written in the
// integer parse's hexadecimal form is a number too. A number at the very ends of
// the range, or one that only reads as 0 (a decimal point, letters), loads as it
// always has.
TEST_F(LoadSave, ValueThatCannotBeKeptRaisesBeforeAnyRewrite) {
  struct TCase {
    const char* What;
    bool InTrailer;  // else in both members
    const std::string& Field;
    const char* Raw;
    const char* Error;  // null: it loads
  };
  const TCase Cases[] = {
      {"an amount beyond its field", false, fnContribContractPostTax, "9999999999",
       "Value 99999999.99 does not fit field ContribContractPostTax"},
      {"a negative pay beyond its field", false, fnSalaryPensionAmount, "-9999999999",
       "Value -99999999.99 does not fit field SalaryPensionAmount"},
      {"one past the range", false, fnSalaryEarnableAmount, "2147483648",
       "Value 21474836.48 does not fit field SalaryEarnableAmount"},
      {"a hexadecimal amount beyond its field", false, fnContribEmployerPreTax, "$FFFFFFFF",
       "Value 42949672.95 does not fit field ContribEmployerPreTax"},
      {"totals too large", false, fnContribVoluntaryPostTax, "1500000000",
       "Value 30000000.00 does not fit field TotalVolContribAmt"},
      {"the trailer's count beyond its field", true, fnTotalRecCount, "99999999999",
       "Value 99999999999 does not fit field TotalRecCount"},
      {"a trailer's total beyond its field", true, fnTotalReceivables, "-2147483649",
       "Value -21474836.49 does not fit field TotalReceivables"},
      {"the largest amount", false, fnSalaryEarnableAmount, "2147483647", nullptr},
      {"the smallest amount", false, fnContribContractPostTax, "-2147483648", nullptr},
      {"the largest count", true, fnTotalRecCount, "2147483647", nullptr},
      {"a hexadecimal amount that fits", false, fnSalaryEarnableAmount, "$7FFFFFFF", nullptr},
      {"a decimal point", false, fnContribEmployerPreTax, "12.50", nullptr},
      {"letters after ten digits", false, fnContribEmployerPreTax, "9999999999x", nullptr},
      {"a decimal point in the count", true, fnTotalRecCount, "99999999.99", nullptr},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.What);
    // Both members hold a member's value (whose sum is what the totals case
    // needs); the first has a blank gender, which a load fills and rewrites.
    const std::string Before = WriteFile(
        "20040900.123", Case.Error == nullptr ? 1 : 2,
        [&](TRecord* R, int i) {
          if (!Case.InTrailer) SetRaw(R, Case.Field, Case.Raw);
          if (i == 0) SetRaw(R, fnGenderCD, "");
        },
        [&](TRecord* T) {
          if (Case.InTrailer) SetRaw(T, Case.Field, Case.Raw);
        });
    TTransShort Trans;
    Trans.FileName = FDir.File("20040900.123");
    if (Case.Error == nullptr) {
      EXPECT_NO_THROW(EXPECT_TRUE(Trans.LoadFromFile()));
      EXPECT_NE(ReadBytes(Trans.FileName), Before);  // the default was filled and stored
      continue;
    }
    try {
      Trans.LoadFromFile();
      ADD_FAILURE() << "loaded";
    } catch (const Exception& E) {
      EXPECT_EQ(std::string(E.what()), Case.Error);
    }
    EXPECT_EQ(ReadBytes(Trans.FileName), Before);
    EXPECT_EQ(Trans.Details.Count(), 2);  // what was read stays in memory
  }
}

// The checked load says why a file was not read whole, and keeps what was read:
// a line cut short anywhere before the trailer stops the read there; a value
// beyond what is stored is told by its kind, before a cut; a value in the part
// never read (after the cut, in a trailer not reached) is no problem of the file.
TEST_F(LoadSave, LoadCheckedSaysWhyAFileWasNotReadWhole) {
  using K = TReadProblem::TKind;
  const std::string CRLF = "\r\n";
  // Member i of three stops after At of its 326 characters.
  auto CutMember = [&](int i, size_t At) {
    return [=](const std::string& B) {
      const size_t Start = 54 + 328 * static_cast<size_t>(i);
      return B.substr(0, Start + At) + CRLF + B.substr(Start + 328);
    };
  };
  auto Whole = [](const std::string& B) { return B; };
  auto Amount = [](int Member, const std::string& Field, const char* Raw) {
    return [=](TRecord* R, int i) {
      if (i == Member || Member < 0) SetRaw(R, Field, Raw);
    };
  };
  auto Trailer = [](const std::string& Field, const char* Raw) {
    return [=](TRecord* T) { SetRaw(T, Field, Raw); };
  };
  struct TCase {
    const char* What;
    std::function<void(TRecord*, int)> Members;
    std::function<void(TRecord*)> TrailerEdit;
    std::function<std::string(const std::string&)> Bytes;
    K Kind;
    int32_t Read;
    const char* Detail;
  };
  const TCase Cases[] = {
      {"whole", nullptr, nullptr, Whole, K::None, 3, ""},
      {"the first member cut at its start", nullptr, nullptr, CutMember(0, 5), K::CutShort, 0, ""},
      {"the middle member cut", nullptr, nullptr, CutMember(1, 150), K::CutShort, 1, ""},
      {"the last member cut", nullptr, nullptr, CutMember(2, 325), K::CutShort, 2, ""},
      {"the header cut", nullptr, nullptr,
       [&](const std::string& B) { return B.substr(0, 30) + CRLF + B.substr(54); }, K::CutShort, 0, ""},
      {"the trailer short", nullptr, nullptr,
       [](const std::string& B) { return B.substr(0, B.size() - 30) + "\r\n"; }, K::None, 3, ""},
      {"an amount beyond", Amount(1, fnContribContractPostTax, "9999999999"), nullptr, Whole,
       K::AmountBeyond, 3, "Value 99999999.99 does not fit field ContribContractPostTax"},
      {"the members' totals beyond", Amount(-1, fnContribVoluntaryPostTax, "1000000000"), nullptr, Whole,
       K::TotalBeyond, 3, "Value 30000000.00 does not fit field TotalVolContribAmt"},
      {"a trailer total beyond", nullptr, Trailer(fnTotalEmplContribAmt, "2147483648"), Whole,
       K::TotalBeyond, 3, "Value 21474836.48 does not fit field TotalEmplContribAmt"},
      {"the count beyond", nullptr, Trailer(fnTotalRecCount, "99999999999"), Whole, K::CountBeyond, 3,
       "Value 99999999999 does not fit field TotalRecCount"},
      {"cut after an amount beyond", Amount(0, fnSalaryPensionAmount, "-9999999999"), nullptr,
       CutMember(1, 150), K::AmountBeyond, 1, "Value -99999999.99 does not fit field SalaryPensionAmount"},
      {"cut before an amount beyond", Amount(2, fnSalaryPensionAmount, "9999999999"), nullptr,
       CutMember(1, 150), K::CutShort, 1, ""},
      {"cut before a count beyond", nullptr, Trailer(fnTotalRecCount, "99999999999"), CutMember(2, 200),
       K::CutShort, 2, ""},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.What);
    const std::string Path = FDir.File("20040900.123");
    WriteBytes(Path, Case.Bytes(WriteFile("20040900.123", 3, Case.Members, Case.TrailerEdit)));
    TTransShort Trans;
    Trans.FileName = Path;
    TReadProblem Problem;
    ASSERT_NO_THROW(Problem = Trans.LoadChecked());
    EXPECT_EQ(Problem.Kind, Case.Kind);
    EXPECT_EQ(Problem.Path, Path);
    EXPECT_EQ(Problem.Detail, Case.Detail);
    EXPECT_EQ(static_cast<bool>(Problem), Case.Kind != K::None);
    // What was read stays, and only members read whole.
    ASSERT_EQ(Trans.Details.Count(), Case.Read);
    for (int32_t i = 0; i < Case.Read; ++i)
      EXPECT_EQ(Trans.Details[i]->GetAsString(fnMemberSSN), std::to_string(100000000 + i));
  }
  // A file the file system cannot give is an error, as for every reader.
  TTransShort Trans;
  Trans.FileName = FDir.File("20040910.123");
  EXPECT_THROW(Trans.LoadChecked(), EInOutError);
}

// Every reader's box says it in these words: the file by its name alone, and why.
TEST(ReadProblemText, NamesTheFileAndWhy) {
  using K = TReadProblem::TKind;
  struct TCase {
    K Kind;
    const char* Path;
    const char* Detail;
    const char* Text;
  };
  const TCase Cases[] = {
      {K::None, "/data/Data/20041010.123", "", ""},
      {K::CutShort, "/data/Data/20041010.123", "", "The file 20041010.123 could not be read completely."},
      {K::AmountBeyond, "/data/Data/20041010.123", "Value 99999999.99 does not fit field ContribContractPostTax",
       "The file 20041010.123 holds an amount beyond 21,474,836.47, which the program cannot store."},
      {K::TotalBeyond, "/data/Data/20041010.123", "",
       "The file 20041010.123 holds a total beyond 21,474,836.47, which the program cannot store."},
      {K::CountBeyond, "/data/Data/20041010.123", "",
       "The file 20041010.123 holds a record count beyond 2,147,483,647, which the program cannot store."},
      {K::MergedTotalBeyond, "/data/Data/20041000.123", "",
       "The files of the month of 20041000.123 add up to a total beyond 21,474,836.47, which the program "
       "cannot store."},
      {K::Missing, "/data/Data/20041000.123", "", "The file 20041000.123 could not be found."},
      {K::Unreadable, "/data/Data/20041020.123", "Cannot open file \"/data/Data/20041020.123\". Permission denied",
       "The file 20041020.123 could not be read: Cannot open file \"/data/Data/20041020.123\". Permission "
       "denied"},
      {K::CutShort, "20041010.123", "", "The file 20041010.123 could not be read completely."},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(ReadProblemText({Case.Kind, Case.Path, Case.Detail}), Case.Text) << Case.Path;
}

}  // namespace

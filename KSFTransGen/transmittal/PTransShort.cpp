#include "PTransShort.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "PPropertyNames.h"
#include "ValidationLimits.h"

TTransShort* Trans = nullptr;
bool HeaderOnly = false;
std::string VersionText;

void PTransShortInitialization() {
  HeaderOnly = false;
  VersionText.clear();
}

void PTransShortFinalization() { VersionText.clear(); }

namespace {

// One field of a record layout: S text, D date, N number with its scale.
struct TFieldDef {
  const std::string& Name;
  char Kind;
  int32_t Scale;
  int32_t Start;
  int32_t Length;
};

const TFieldDef HeaderLayout[] = {
    {fnRecordType, 'S', 0, 1, 5},         {fnEmployerID, 'S', 0, 6, 3},
    {fnBatchEmployerName, 'S', 0, 9, 30}, {fnBatchCreateDate, 'D', 0, 39, 8},
    {fnBatchMonth, 'S', 0, 47, 2},        {fnBatchYear, 'S', 0, 49, 4},
};

const TFieldDef TrailerLayout[] = {
    {fnRecordType, 'S', 0, 1, 5},            {fnTotalRecCount, 'N', 1, 6, 11},
    {fnTotalEmplContribAmt, 'N', 100, 17, 11}, {fnTotalEmplrContribAmt, 'N', 100, 28, 11},
    {fnTotalVolContribAmt, 'N', 100, 39, 11},  {fnTotalCntrctPayAmt, 'N', 100, 50, 11},
    {fnTotalReceivables, 'N', 100, 61, 11},    {fnFileName, 'S', 0, 72, 12},
    {fnVersion, 'S', 0, 84, 15},
};

const TFieldDef DetailLayout[] = {
    {fnRecordType, 'S', 0, 1, 5},
    {fnMemberSSN, 'S', 0, 6, 9},
    {fnNamePrefix, 'S', 0, 15, 1},
    {fnLastName, 'S', 0, 16, 25},
    {fnFirstName, 'S', 0, 41, 25},
    {fnMiddleName, 'S', 0, 66, 25},
    {fnNameSuffix, 'S', 0, 91, 1},
    {fnGenderCD, 'S', 0, 92, 1},
    {fnBirthDate, 'D', 0, 93, 8},
    {fnMaritalStatusCD, 'S', 0, 101, 1},
    {fnAddressLine1, 'S', 0, 102, 30},
    {fnAddressLine2, 'S', 0, 132, 30},
    {fnAddressCity, 'S', 0, 162, 30},
    {fnAddressState, 'S', 0, 192, 2},
    {fnAddressZip, 'S', 0, 194, 5},
    {fnAddressZip4, 'S', 0, 199, 4},
    {fnAddressEffectiveDate, 'D', 0, 203, 8},
    {fnAddressEMail, 'S', 0, 211, 30},
    {fnPhoneAreaCode, 'S', 0, 241, 3},
    {fnPhoneNumber, 'S', 0, 244, 7},
    {fnExtension, 'S', 0, 251, 5},
    {fnSalaryPensionAmount, 'N', 100, 256, 11},
    {fnSalaryEarnableAmount, 'N', 100, 267, 11},
    {fnSalaryEarnableUnitsWorked, 'N', 100, 278, 5},
    {fnContribEmployeePreTax, 'N', 100, 283, 11},
    {fnContribEmployerPreTax, 'N', 100, 294, 11},
    {fnContribVoluntaryPostTax, 'N', 100, 305, 11},
    {fnContribContractPostTax, 'N', 100, 316, 11},
};

template <size_t N>
void DefineLayout(const TFieldDef (&Layout)[N], TFieldList* List) {
  for (const TFieldDef& Def : Layout) {
    switch (Def.Kind) {
      case 'D': AddDateField(Def.Name, List, Def.Start, Def.Length); break;
      case 'N': AddDoubleField(Def.Name, List, Def.Scale, Def.Start, Def.Length); break;
      default: AddStringField(Def.Name, List, Def.Start, Def.Length); break;
    }
  }
}

// The reporting months: no report is made for July and August.
constexpr std::initializer_list<int32_t> ReportingMonths = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12};

// -1, 0 or 1 by the given column and direction of the transmittal being sorted.
int CompareBy(TTransShort& Owner, const TRecord* A, const TRecord* B) {
  const TFieldList& Fields = Owner.FieldLists[2];
  if (Owner.SortField < 0 || Owner.SortField >= Fields.Count())
    Owner.SortField = A->IndexOfField(fnMemberSSN);
  int Result = Fields[Owner.SortField]->Compare(A->Buffer, B->Buffer);
  return Owner.SortOrder == 'D' ? -Result : Result;
}

// An in-place quicksort (not stable). The scans are bounded by the range as well
// as by the pivot, so even a comparison that is not a strict order (numbers equal
// within a tolerance) can never lead outside the list. The smaller part is sorted
// by recursion and the larger by the loop, so the depth stays logarithmic.
template <class TCompare>
void QuickSort(std::vector<TRecord*>& List, int64_t Lo, int64_t Hi, TCompare& Compare) {
  while (Lo < Hi) {
    int64_t I = Lo;
    int64_t J = Hi;
    TRecord* Pivot = List[static_cast<size_t>(Lo + (Hi - Lo) / 2)];
    do {
      while (I < Hi && Compare(List[static_cast<size_t>(I)], Pivot) < 0) ++I;
      while (J > Lo && Compare(List[static_cast<size_t>(J)], Pivot) > 0) --J;
      if (I <= J) {
        std::swap(List[static_cast<size_t>(I)], List[static_cast<size_t>(J)]);
        ++I;
        --J;
      }
    } while (I <= J);
    if (J - Lo < Hi - I) {
      if (Lo < J) QuickSort(List, Lo, J, Compare);
      Lo = I;
    } else {
      if (I < Hi) QuickSort(List, I, Hi, Compare);
      Hi = J;
    }
  }
}

// Writes the count, the four sums and the grand total into a trailer record, all
// of them or none: they are written into a copy first, so a figure that does not
// fit raises (naming its field) with the trailer as it was, and the totals beside
// the grids never show some new figures beside old ones.
void WriteTotals(TRecord& Trailer, const TTrailerTotals& Totals) {
  TRecord Copy(Trailer.RecordLength, Trailer.Fields);
  std::memcpy(Copy.Buffer, Trailer.Buffer, static_cast<size_t>(Trailer.RecordLength));
  Copy.SetAsFloat(fnTotalEmplContribAmt, Totals.Regular);
  Copy.SetAsFloat(fnTotalEmplrContribAmt, Totals.Health);
  Copy.SetAsFloat(fnTotalVolContribAmt, Totals.Voluntary);
  Copy.SetAsFloat(fnTotalCntrctPayAmt, Totals.Contract);
  Copy.SetAsFloat(fnTotalReceivables, static_cast<double>(Totals.Grand));
  Copy.SetAsInteger(fnTotalRecCount, Totals.Count);
  std::memcpy(Trailer.Buffer, Copy.Buffer, static_cast<size_t>(Trailer.RecordLength));
}

std::vector<const TDoubleField*> NumberFields(const TFieldList& Fields) {
  std::vector<const TDoubleField*> Numbers;
  for (const TField* Field : Fields)
    if (const auto* Number = dynamic_cast<const TDoubleField*>(Field)) Numbers.push_back(Number);
  return Numbers;
}

// Raises EDoesNotFit, naming the value and the field, when the transmittal holds
// what it cannot keep, in this order: a member's number beyond its field's
// range; totals of the members too large for their trailer fields (which every
// refresh of the totals and every save would raise on); and, when TrailerRead,
// a count or total the trailer holds beyond its range (read as 0, it would be
// checked and shown as 0). A trailer not read holds what the object held before
// and is not the file's. The transmittal itself is not changed.
void CheckValuesFit(TTransShort& T, bool TrailerRead) {
  const std::vector<const TDoubleField*> Numbers = NumberFields(T.FieldLists[2]);
  for (const TRecord* Record : T.Details)
    for (const TDoubleField* Number : Numbers) Number->CheckStorable(Record->Buffer);
  TRecord Scratch(T.TrailerLength, &T.FieldLists[1]);
  WriteTotals(Scratch, T.MemberTotals());
  if (TrailerRead)
    for (const TDoubleField* Number : NumberFields(T.FieldLists[1])) Number->CheckStorable(T.Trailer->Buffer);
}

// What kind of value beyond range an EDoesNotFit of CheckValuesFit names.
TReadProblem::TKind BeyondKind(const TTransShort& T, const std::string& FieldName) {
  for (const TField* Field : T.FieldLists[2])
    if (Field->Name == FieldName) return TReadProblem::TKind::AmountBeyond;
  return FieldName == fnTotalRecCount ? TReadProblem::TKind::CountBeyond : TReadProblem::TKind::TotalBeyond;
}

}  // namespace

TTransShort::TTransShort() {
  TagLength = 5;
  TagStart = 1;
  HeaderLength = 52;
  DetailLength = 326;
  TrailerLength = 98;
  DefineLayout(HeaderLayout, &FieldLists[0]);
  DefineLayout(TrailerLayout, &FieldLists[1]);
  DefineLayout(DetailLayout, &FieldLists[2]);
  Header = std::make_unique<TRecord>(HeaderLength, &FieldLists[0]);
  Trailer = std::make_unique<TRecord>(TrailerLength, &FieldLists[1]);
  InitRecords();
}

void TTransShort::SetRecordType(TRecord* Record, const std::string& Tag) {
  Record->SetAsString(fnRecordType, Tag);
}

void TTransShort::InitHeader() { SetRecordType(Header.get(), "HEAD "); }

void TTransShort::InitTrailer() {
  SetRecordType(Trailer.get(), "TRAIL");
  for (const std::string* Name : {&fnTotalRecCount, &fnTotalEmplContribAmt, &fnTotalEmplrContribAmt,
                                  &fnTotalVolContribAmt, &fnTotalCntrctPayAmt, &fnTotalReceivables})
    Trailer->SetAsFloat(*Name, 0);
}

void TTransShort::InitDetail(TRecord* Record) { SetRecordType(Record, "TRANS"); }

// ---------------------------------------------------------------------------
// Loading and saving

bool TTransShort::LoadFromFile() {
  bool Result = TTrans::LoadFromFile();
  // Before any default is filled: a file whose values cannot be kept is never
  // rewritten. The trailer is the file's only when the read came through.
  CheckValuesFit(*this, Result);
  if (!Result || Details.Count() == 0) return Result;

  bool Filled = false;
  auto Default = [&](TRecord* Record, const std::string& Name, auto&& Write) {
    if (!Record->IsBlank(Name)) return;
    Write(Record, Name);
    Filled = true;
  };
  auto Integer = [](int32_t Value) {
    return [Value](TRecord* Record, const std::string& Name) { Record->SetAsInteger(Name, Value); };
  };
  for (TRecord* Record : Details) {
    Default(Record, fnNamePrefix, Integer(0));
    Default(Record, fnNameSuffix, Integer(0));
    Default(Record, fnAddressEffectiveDate,
            [](TRecord* R, const std::string& Name) { R->SetAsDateTime(Name, 0); });
    Default(Record, fnGenderCD, Integer(3));
    Default(Record, fnMaritalStatusCD, Integer(6));
    Default(Record, fnAddressState,
            [](TRecord* R, const std::string& Name) { R->SetAsString(Name, DefaultState); });
  }
  // The defaults are stored at once, unchecked, so the file on disk says what
  // the screen shows.
  if (Filled) SaveToFile(true);
  return Result;
}

TReadProblem TTransShort::LoadChecked() {
  TReadProblem Problem;
  Problem.Path = FileName;
  try {
    if (!LoadFromFile()) Problem.Kind = TReadProblem::TKind::CutShort;
  } catch (const EDoesNotFit& Error) {
    // Raised before the read's own result is returned, so a file both cut short
    // and beyond range is told as beyond range.
    Problem.Kind = BeyondKind(*this, Error.FieldName);
    Problem.Detail = Error.what();
  }
  return Problem;
}

std::string ReadProblemText(const TReadProblem& Problem) {
  const size_t Slash = Problem.Path.find_last_of('/');
  const std::string Name = Slash == std::string::npos ? Problem.Path : Problem.Path.substr(Slash + 1);
  using K = TReadProblem::TKind;
  switch (Problem.Kind) {
    case K::None: return std::string();
    case K::CutShort: return "The file " + Name + " could not be read completely.";
    case K::AmountBeyond:
      return "The file " + Name + " holds an amount beyond 21,474,836.47, which the program cannot store.";
    case K::TotalBeyond:
      return "The file " + Name + " holds a total beyond 21,474,836.47, which the program cannot store.";
    case K::CountBeyond:
      return "The file " + Name + " holds a record count beyond 2,147,483,647, which the program cannot store.";
    case K::MergedTotalBeyond:
      return "The files of the month of " + Name +
             " add up to a total beyond 21,474,836.47, which the program cannot store.";
    case K::Missing: return "The file " + Name + " could not be found.";
    case K::Unreadable: return "The file " + Name + " could not be read: " + Problem.Detail;
  }
  return std::string();
}

bool TTransShort::SaveToFile(bool Force) {
  size_t Slash = FileName.find_last_of('/');
  std::string Name = Slash == std::string::npos ? FileName : FileName.substr(Slash + 1);
  if (Name.size() < 12) return false;
  // A name that does not start with a digit still yields a year of this or the
  // last century for the header and the trailer; the file keeps its name.
  if (Name[0] < '0' || Name[0] > '9') Name[0] = Name[1] == '9' ? '1' : '2';

  Header->SetAsString(fnEmployerID, Name.substr(9, 3));
  Header->SetAsDateTime(fnBatchCreateDate, Date());
  Header->SetAsString(fnBatchMonth, Name.substr(4, 2));
  Header->SetAsString(fnBatchYear, Name.substr(0, 4));

  SetTrailerTotals(MemberTotals());
  Trailer->SetAsString(fnFileName, Name);
  Trailer->SetAsString(fnVersion, VersionText);

  if (!Force && !Validate()) {
    ErrorList->Show();
    return false;
  }
  if (!TTrans::SaveToFile(Force)) return false;
  NoteSavedSSNs(FileName, Details);
  return true;
}

TTrailerTotals TTransShort::MemberTotals() const {
  TTrailerTotals Totals;
  // The four fields are looked up once for each field list rather than by name
  // for every member: opening sums 100,000 members twice (to refuse totals the
  // trailer cannot hold, then for the grids).
  const TFieldList* Fields = nullptr;
  const TField *Regular = nullptr, *Health = nullptr, *Voluntary = nullptr, *Contract = nullptr;
  for (const TRecord* Record : Details) {
    if (Record->Fields != Fields) {
      Fields = Record->Fields;
      Regular = &Record->FieldByName(fnContribEmployeePreTax);
      Health = &Record->FieldByName(fnContribEmployerPreTax);
      Voluntary = &Record->FieldByName(fnContribVoluntaryPostTax);
      Contract = &Record->FieldByName(fnContribContractPostTax);
    }
    Totals.Regular += Regular->GetAsFloat(Record->Buffer);
    Totals.Health += Health->GetAsFloat(Record->Buffer);
    Totals.Voluntary += Voluntary->GetAsFloat(Record->Buffer);
    Totals.Contract += Contract->GetAsFloat(Record->Buffer);
  }
  Totals.Count = Details.Count();
  Totals.Grand = static_cast<long double>(Totals.Regular) + Totals.Health;
  Totals.Grand += Totals.Voluntary;
  Totals.Grand += Totals.Contract;
  return Totals;
}

void TTransShort::SetTrailerTotals(const TTrailerTotals& Totals) { WriteTotals(*Trailer, Totals); }

// ---------------------------------------------------------------------------
// Validation

bool IsDigits(const std::string& Text, int32_t Length) {
  if (Length > 0 && Text.size() != static_cast<size_t>(Length)) return false;
  return std::all_of(Text.begin(), Text.end(), [](char C) { return C >= '0' && C <= '9'; });
}

bool CheckCode(const TRecord* Record, const std::string& FieldName,
               std::initializer_list<int32_t> Codes, const std::string& Message) {
  try {
    int32_t Value = Record->GetAsInteger(FieldName);
    if (std::find(Codes.begin(), Codes.end(), Value) != Codes.end()) return true;
  } catch (const Exception&) {
  }
  ErrorList->Add(Message);
  return false;
}

bool CheckIntRange(const TRecord* Record, const std::string& FieldName, int32_t Low,
                   int32_t High, const std::string& Message) {
  try {
    int32_t Value = Record->GetAsInteger(FieldName);
    if (Low < Value && Value < High) return true;
  } catch (const Exception&) {
  }
  ErrorList->Add(Message);
  return false;
}

bool CheckAmount(const TRecord* Record, const std::string& FieldName, bool MustBePositive,
                 const std::string& Message, double& Amount) {
  try {
    Amount = Record->GetAsFloat(FieldName);
    if (!MustBePositive || IsAmountPositive(ToCents(Amount))) return true;
  } catch (const Exception&) {
    Amount = 0;
  }
  ErrorList->Add(Message);
  return false;
}

bool TTransShort::Validate() {
  ErrorList->Clear();
  ValidateHeader();
  if (!HeaderOnly) {
    if (Details.Count() == 0)
      ErrorList->Add("No detail records!");
    else
      for (TRecord* Record : Details) ValidateDetail(Record);
    ValidateTrailer();
  }
  return ErrorList->IsEmpty();
}

bool TTransShort::ValidateHeader() {
  const TRecord* H = Header.get();
  const size_t Before = ErrorList->Messages.size();
  auto Line = [H](const char* Text, const std::string& Name) {
    return Text + H->GetAsString(Name) + "\"!";
  };

  if (H->IsBlank(fnEmployerID) || !H->IsInteger(fnEmployerID))
    ErrorList->Add(Line("Invalid Employer ID : \"", fnEmployerID));
  if (H->IsBlank(fnBatchEmployerName)) ErrorList->Add("Empty Employer Name!");
  if (!HeaderOnly && !H->IsValidDate(fnBatchCreateDate))
    ErrorList->Add(Line("Invalid batch creation date : \"", fnBatchCreateDate));
  CheckCode(H, fnBatchMonth, ReportingMonths, Line("Invalid reporting month : \"", fnBatchMonth));
  std::string YearLine = Line("Invalid reporting year : \"", fnBatchYear);
  if (!IsValidYear(H->GetAsString(fnBatchYear)))
    ErrorList->Add(YearLine);
  else
    CheckIntRange(H, fnBatchYear, 1800, 3000, YearLine);
  return ErrorList->Messages.size() == Before;
}

bool TTransShort::ValidateDetail(TRecord* Record) {
  const TRecord& R = *Record;
  const size_t Before = ErrorList->Messages.size();
  const std::string SSN = FormatSSN(R.GetAsString(fnMemberSSN));

  auto AddDetailError = [&](const std::string& Message) {
    ErrorList->Add(SSN + " : " + Message + "\"!");
    return false;
  };
  auto Shown = [&](const std::string& Name) { return R.GetAsString(Name); };
  auto Code = [&](const std::string& Name, std::initializer_list<int32_t> Codes, const char* Text) {
    int32_t Value = R.GetAsInteger(Name);
    if (std::find(Codes.begin(), Codes.end(), Value) == Codes.end())
      AddDetailError(Text + Shown(Name));
  };
  auto Required = [&](const std::string& Name, const char* Missing, const char* Invalid,
                      bool (TRecord::*Valid)(const std::string&) const) {
    if (R.IsBlank(Name))
      AddDetailError(Missing);
    else if (!(R.*Valid)(Name))
      AddDetailError(Invalid + Shown(Name));
  };
  auto Optional = [&](const std::string& Name, const char* Invalid,
                      bool (TRecord::*Valid)(const std::string&) const) {
    if (!R.IsBlank(Name) && !(R.*Valid)(Name)) AddDetailError(Invalid + Shown(Name));
  };
  // Trimmed digits of an exact length, or (Length 0) any number of them.
  auto Digits = [&](const std::string& Name, int32_t Length, bool MayBeEmpty, const char* Invalid) {
    std::string Text = Shown(Name);
    if (MayBeEmpty && Text.empty()) return;
    if (!IsDigits(Text, Length)) AddDetailError(Invalid + Text);
  };
  // Amounts are judged on the cents stored, so that a bound is exact to the cent.
  auto Cents = [&](const std::string& Name) { return ToCents(R.GetAsFloat(Name)); };
  auto Amount = [&](const std::string& Name, const char* Invalid, bool& Passed) {
    const TCents Value = Cents(Name);
    Passed = IsAmountPositive(Value);
    if (!Passed) AddDetailError(Invalid + Shown(Name));
    return Value;
  };

  if (!IsDigits(R.GetAsString(fnMemberSSN), 9)) AddDetailError("\"Invalid SSN");
  Code(fnNamePrefix, {0, 1, 2, 3, 4, 5, 6}, "Invalid name prefix code : \"");
  Required(fnLastName, "\"The last name is required", "Invalid last name : \"",
           &TRecord::IsAlphaText);
  Required(fnFirstName, "\"The first name is required", "Invalid first name : \"",
           &TRecord::IsAlphaText);
  Optional(fnMiddleName, "Invalid middle name : \"", &TRecord::IsAlphaText);
  Code(fnNameSuffix, {0, 2, 3, 4, 5, 6, 7, 8, 9}, "Invalid name suffix code : \"");
  Code(fnGenderCD, {1, 2, 3}, "Invalid gender code : \"");
  {
    bool Valid = R.IsValidDate(fnBirthDate);
    if (Valid) {
      TDateTime Birth = R.GetAsDateTime(fnBirthDate);
      TDateTime Today = Date();
      Valid = Today - MaxMemberAgeDays <= Birth && Birth <= Today - MinMemberAgeDays;
    }
    if (!Valid) {
      // Built by appending: g++ 12 at -O3 wrongly warns (-Wrestrict) on a literal
      // placed before a temporary string.
      std::string Message(1, '"');
      Message.append(Shown(fnBirthDate)).append(" is not a valid employee birth date");
      AddDetailError(Message);
    }
  }
  Code(fnMaritalStatusCD, {0, 1, 2, 4, 5, 6}, "Invalid marital status code : \"");
  Required(fnAddressLine1, "\"Address is required", "Invalid address line 1 : \"",
           &TRecord::IsAlphaNumText);
  Optional(fnAddressLine2, "Invalid address line 2 : \"", &TRecord::IsAlphaNumText);
  Required(fnAddressCity, "\"The city is required", "Invalid city : \"", &TRecord::IsAlphaText);
  if (R.IsBlank(fnAddressState)) AddDetailError("\"Empty state code");
  Digits(fnAddressZip, 5, false, "Invalid ZIP code : \"");
  Digits(fnAddressZip4, 4, true, "Invalid ZIP (+4) code : \"");
  Required(fnAddressEffectiveDate, "\"Address effective date is required",
           "Invalid address change effective date : \"", &TRecord::IsValidDate);
  Digits(fnPhoneAreaCode, 3, true, "Invalid phone area code : \"");
  Digits(fnPhoneNumber, 7, true, "Invalid phone number : \"");
  Digits(fnExtension, 0, true, "Invalid phone extension : \"");

  bool PensionOk, EarnableOk;
  const TCents P = Amount(fnSalaryPensionAmount, "Invalid pensionable compensation : \"", PensionOk);
  const TCents E = Amount(fnSalaryEarnableAmount, "Invalid earnable compensation : \"", EarnableOk);
  bool OrderOk = false;
  if (PensionOk && EarnableOk) {
    OrderOk = IsPensionableWithinEarnable(P, E);
    if (!OrderOk) AddDetailError("\"Earnable compensation < pensionable compensation");
  }
  const TCents F = Cents(fnSalaryEarnableUnitsWorked);
  const bool FteOk = IsAmountPositive(F);
  if (!FteOk) AddDetailError("Invalid FTE% : \"" + Shown(fnSalaryEarnableUnitsWorked) + "%");
  if (PensionOk && EarnableOk && OrderOk && FteOk) {
    if (!IsFTEInRange(F)) {
      AddDetailError("\"FTE% should be between 1.00 and 100.00");
    } else if (!IsFTEWithinPays(F, P, E)) {
      AddDetailError("\"FTE%:" + FormatFixed(FromCents(F)) + " <> (pensionable / earnable)%:" +
                     FormatFixed(FTEOfPays(P, E)));
    }
  }

  // A contribution must lie within its tolerance of its rate applied to the pensionable pay.
  auto Contribution = [&](const std::string& Name, TContributionRate Rate, const char* Invalid,
                          const char* Label, const char* Percent) {
    bool Positive;
    const TCents Value = Amount(Name, Invalid, Positive);
    if (Positive && PensionOk && !IsContributionWithinRate(Value, P, Rate))
      AddDetailError(std::string("\"") + Label + "(" + FormatMoney(FromCents(Value)) + ") <> " +
                     Percent + " from pensionable amount(" +
                     FormatMoney(ExpectedContribution(P, Rate)) + ")");
    return Value;
  };
  const TCents Reg = Contribution(fnContribEmployeePreTax, RegularRate,
                                  "Invalid regular amount : \"", "Regular contribution",
                                  RegularRateText);
  const TCents Hea = Contribution(fnContribEmployerPreTax, HealthRate,
                                  "Invalid health amount : \"", "Health contribution",
                                  HealthRateText);
  const TCents Vol = Cents(fnContribVoluntaryPostTax);
  const TCents Con = Cents(fnContribContractPostTax);
  const TCents Deductions = Reg + Hea + Vol + Con;
  if (!AreDeductionsWithinPensionable(Deductions, P))
    ErrorList->Add(SSN + " : \"Deductions (" + FormatMoney(FromCents(Deductions)) +
                   ") cannot be bigger than pensionable amount(" + FormatMoney(FromCents(P)) + ")!\"");

  return ErrorList->Messages.size() == Before;
}

bool TTransShort::ValidateTrailer() {
  const TRecord* T = Trailer.get();
  const size_t Before = ErrorList->Messages.size();
  auto Line = [T](const char* Text, const std::string& Name) {
    return Text + T->GetAsString(Name) + "\"!";
  };
  double Amount;
  CheckAmount(T, fnTotalRecCount, true, Line("Invalid total record count : \"", fnTotalRecCount),
              Amount);
  CheckAmount(T, fnTotalEmplContribAmt, true,
              Line("Invalid total regular contribution amount : \"", fnTotalEmplContribAmt), Amount);
  CheckAmount(T, fnTotalEmplrContribAmt, true,
              Line("Invalid total health contribution amount : \"", fnTotalEmplrContribAmt), Amount);
  CheckAmount(T, fnTotalReceivables, true,
              Line("Invalid total contribution amount : \"", fnTotalReceivables), Amount);
  return ErrorList->Messages.size() == Before;
}

// ---------------------------------------------------------------------------
// Sorting

int CompareRecords(const TRecord* A, const TRecord* B) {
  if (Trans != nullptr) return CompareBy(*Trans, A, B);
  // Without an edited transmittal there is no chosen column: MemberSSN, ascending.
  return A->FieldByName(fnMemberSSN).Compare(A->Buffer, B->Buffer);
}

void TTransShort::SortByField(const std::string& FieldName) {
  if (Details.Count() == 0) return;
  // Every member shares the detail field list; the current member is the one the
  // name is looked up on when there is one.
  const TRecord* Current = CurIndex >= 0 && CurIndex < Details.Count() ? Details[CurIndex] : Details[0];
  int32_t Index = Current->IndexOfField(FieldName);
  if (Index != SortField) {
    SortField = Index;
    SortOrder = 'A';
  } else {
    SortOrder = SortOrder == 'A' ? 'D' : 'A';
  }
  Resort();
}

void TTransShort::Resort() {
  if (Details.Count() == 0) return;
  if (SortField < 0) SortField = Details[0]->IndexOfField(fnMemberSSN);
  // Only the edited transmittal is sorted; its own column and direction decide.
  auto Compare = [this](const TRecord* A, const TRecord* B) { return CompareBy(*this, A, B); };
  QuickSort(Details.List(), 0, Details.Count() - 1, Compare);
}

// The member checks of the detail form: run on the texts of its controls before a
// member is saved, in a fixed order, stopping at the first failure with one
// message and the focus on the failing field.

#include <QComboBox>

#include "MaskEdit.h"
#include "PTransShort.h"
#include "StringGrid.h"
#include "TextParse.h"
#include "Utils.h"
#include "ValidationLimits.h"
#include "VDemogr.h"

namespace {

// A failed check: the beep, then its message in an OK box without icon.
bool Fail(const std::string& Message) {
  Refuse(Message);
  return false;
}

// A prefix message completed with the text as typed, between double quotes.
std::string Quoted(const char* Prefix, const std::string& Text) {
  return Prefix + ("\"" + Text + "\"!");
}

bool IsLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }
bool IsDigitChar(char C) { return C >= '0' && C <= '9'; }

template <class TAllowed>
bool EveryCharacter(const std::string& Text, TAllowed Allowed) {
  for (char C : Text)
    if (!Allowed(C)) return false;
  return true;
}

bool ReadAmount(const std::string& Text, double& Value) { return TryStrToFloat(Text, Value); }

}  // namespace

// ---------------------------------------------------------------------------
// The generic checkers
// ---------------------------------------------------------------------------

bool IsNotEmpty(const std::string& Text, const std::string& Message) {
  return !Trim(Text).empty() || Fail(Message);
}

bool IsValidName(const std::string& Text, const std::string& Message) {
  const std::string T = Trim(Text);
  const bool Ok = !T.empty() && EveryCharacter(T, [](char C) {
    return IsLetter(C) || C == ' ' || C == '\'' || C == '-' || C == '.';
  });
  return Ok || Fail(Message);
}

bool IsValidAddress(const std::string& Text, const std::string& Message) {
  const std::string T = Trim(Text);
  const bool Ok = !T.empty() && EveryCharacter(T, [](char C) {
    return IsLetter(C) || IsDigitChar(C) || C == ' ' || C == '#' || C == '&' || C == '\'' ||
           C == ',' || C == '-' || C == '.' || C == '/';
  });
  return Ok || Fail(Message);
}

bool IsValidNumber(const std::string& Text, int32_t Digits, const std::string& Message) {
  const std::string T = Trim(Text);
  bool Ok;
  if (Digits > 0) {
    Ok = static_cast<int32_t>(T.size()) == Digits && EveryCharacter(T, IsDigitChar);
  } else {
    int32_t Value;
    Ok = TryStrToInt(T, Value);
  }
  return Ok || Fail(Message);
}

bool IsValidDate(const std::string& Text, const std::string& Message) {
  const std::string T = Trim(Text);
  TDateTime Value;
  return (!T.empty() && TryStrToDate(T, Value)) || Fail(Message);
}

bool IsValidFloat(const std::string& Text, bool Positive, const std::string& Message) {
  const std::string T = Trim(Text);
  double Value = 0;
  // Above 0 as the amount is stored, to the cent, as the file's validation
  // judges it: 0.004 is stored as 0.00 and must fail here, not at a later check.
  const bool Ok =
      !T.empty() && TryStrToFloat(T, Value) && (!Positive || IsAmountPositive(ToCents(Value)));
  return Ok || Fail(Message);
}

// ---------------------------------------------------------------------------
// The field checks
// ---------------------------------------------------------------------------

bool ValidateSSN(const std::string& SSN, int32_t AllowedCount, std::vector<TReadProblem>* Unread) {
  if (!IsValidNumber(SSN, 9, Quoted("Invalid SSN : ", FormatSSN(SSN)))) return false;
  return Trans == nullptr || Trans->IsSSNUnique(SSN, AllowedCount, Unread);
}

std::string UnreadMonthNotice(const std::string& SSN, const std::vector<TReadProblem>& Unread) {
  std::string Text;
  for (const TReadProblem& Problem : Unread) Text.append(ReadProblemText(Problem)).append("\n");
  return Text + "SSN " + FormatSSN(SSN) +
         " was checked only against the members that could be read from " +
         (Unread.size() == 1 ? "it." : "them.");
}

bool TellUnreadMonth(const std::string& SSN, const std::vector<TReadProblem>& Unread) {
  if (Unread.empty()) return false;
  // A notice, not a refusal: the number stands, and so does the save.
  Tell(UnreadMonthNotice(SSN, Unread), TMsgIcon::Warning);
  return true;
}

bool ValidateLastName(const std::string& Text) {
  return IsNotEmpty(Text, "The last name is required!") &&
         IsValidName(Text, Quoted("Invalid last name : ", Text));
}

bool ValidateFirstName(const std::string& Text) {
  return IsNotEmpty(Text, "The first name is required!") &&
         IsValidName(Text, Quoted("Invalid first name : ", Text));
}

bool ValidateAddress(const std::string& Text) {
  return IsNotEmpty(Text, "Address is required!") &&
         IsValidAddress(Text, Quoted("Invalid address : ", Text));
}

bool ValidateCity(const std::string& Text) {
  return IsNotEmpty(Text, "The city is required!") &&
         IsValidName(Text, Quoted("Invalid city : ", Text));
}

bool ValidateZip(const std::string& Text) {
  return IsValidNumber(Text, 5, Quoted("Invalid ZIP code : ", Text));
}

bool ValidateZip4(const std::string& Text) {
  return Text.empty() || IsValidNumber(Text, 4, Quoted("Invalid ZIP (+4)  code : ", Text));
}

bool ValidateEffDate(const std::string& Text) {
  return IsValidDate(Text, Quoted("Invalid address effective date : ", Text));
}

bool ValidateBirthDate(const std::string& Text) {
  if (!IsValidDate(Text, Quoted("Invalid birth date : ", Text))) return false;
  TDateTime Birth = 0;
  TryStrToDate(Trim(Text), Birth);
  const TDateTime Today = Date();
  if (Today - MaxMemberAgeDays <= Birth && Birth <= Today - MinMemberAgeDays) return true;
  return Fail(Text + " is not a valid employee birth date!");
}

bool ValidateAreaCode(const std::string& Text) {
  return Text.empty() || IsValidNumber(Text, 3, Quoted("Invalid phone area code : ", Text));
}

bool ValidatePhone(const std::string& Text) {
  return Text.empty() || IsValidNumber(Text, 7, Quoted("Invalid phone number : ", Text));
}

bool ValidatePhoneExt(const std::string& Text) {
  return Text.empty() || IsValidNumber(Text, 0, Quoted("Invalid phone extension : ", Text));
}

bool ValidatePensionable(const std::string& Text) {
  return IsValidFloat(Text, true, Quoted("Invalid pensionable compensation : ", Text));
}

bool ValidateEarnable(const std::string& Text) {
  return IsValidFloat(Text, true, Quoted("Invalid earnable compensation : ", Text));
}

// The typed amounts are judged on the cents they are stored as, with the same
// routines as the file's validation, so that both reach the same verdict.
bool ValidateFTE(const std::string& Text, double Pensionable, double Earnable) {
  if (!IsValidFloat(Text, true, Quoted("Invalid FTE% : ", Text))) return false;
  double Value = 0;
  ReadAmount(Text, Value);
  const TCents F = ToCents(Value);
  if (!IsFTEInRange(F)) return Fail("FTE% should be between 1.00 and 100.00");
  const TCents P = ToCents(Pensionable);
  const TCents E = ToCents(Earnable);
  if (IsFTEWithinPays(F, P, E)) return true;
  return Fail("FTE%:" + FormatFixed(FromCents(F)) + " <> (pensionable / earnable)%:" +
              FormatFixed(FTEOfPays(P, E)) + "!");
}

namespace {
// A contribution within its tolerance of its rate applied to the pensionable pay.
bool ValidateContribution(const std::string& Text, double Pensionable, TContributionRate Rate,
                          const char* Invalid, const char* Label, const char* Percent) {
  if (!IsValidFloat(Text, true, Quoted(Invalid, Text))) return false;
  double Value = 0;
  ReadAmount(Text, Value);
  const TCents Contribution = ToCents(Value);
  const TCents P = ToCents(Pensionable);
  if (IsContributionWithinRate(Contribution, P, Rate)) return true;
  return Fail(std::string("\"") + Label + "(" + FormatMoney(FromCents(Contribution)) + ") <> " +
              Percent + " from pensionable amount(" + FormatMoney(ExpectedContribution(P, Rate)) +
              ")");
}
}  // namespace

bool ValidateRegular(const std::string& Text, double Pensionable) {
  return ValidateContribution(Text, Pensionable, RegularRate,
                              "Invalid regular amount : ", "Regular contribution",
                              RegularRateText);
}

bool ValidateHealth(const std::string& Text, double Pensionable) {
  return ValidateContribution(Text, Pensionable, HealthRate,
                              "Invalid health amount : ", "Health contribution",
                              HealthRateText);
}

bool ValidateVoluntary(const std::string& Text) {
  return IsValidFloat(Text, false, Quoted("Invalid voluntary amount : ", Text));
}

bool ValidateContract(const std::string& Text) {
  return IsValidFloat(Text, false, Quoted("Invalid contracts amount : ", Text));
}

// ---------------------------------------------------------------------------
// The whole member, in order
// ---------------------------------------------------------------------------

namespace {

// What the steps share: the SSN's allowed count, then the two pays once read.
struct TCheckRun {
  TfrmMbrDetail& Form;
  int32_t AllowedCount = 0;
  double P = 0;
  double E = 0;
  std::string Text(TMaskEdit* TfrmMbrDetail::*Box) const;
  std::string Amount(int32_t Row) const;
};

std::string TCheckRun::Text(TMaskEdit* TfrmMbrDetail::*Box) const { return (Form.*Box)->Text(); }
std::string TCheckRun::Amount(int32_t Row) const { return Form.stgAmt->Cells(1, Row); }

// Where the focus goes on a failure: a control (with its page letter, blank for
// the controls above the pages), or a row of the amounts grid.
struct TCheckStep {
  bool (*Check)(TCheckRun& Run);
  TMaskEdit* TfrmMbrDetail::*Control;
  char Page;
  int32_t Row;
};

using F = TfrmMbrDetail;

const TCheckStep CheckSteps[] = {
    // A save is told once of the month's files that could not be read whole;
    // the member's own checks then decide.
    {[](TCheckRun& R) {
       const std::string SSN = R.Text(&F::mskSSN);
       std::vector<TReadProblem> Unread;
       if (!ValidateSSN(SSN, R.AllowedCount, &Unread)) return false;
       TellUnreadMonth(SSN, Unread);
       return true;
     },
     &F::mskSSN, ' ', -1},
    {[](TCheckRun& R) { return ValidateLastName(R.Text(&F::edtLastName)); }, &F::edtLastName, ' ',
     -1},
    {[](TCheckRun& R) { return ValidateFirstName(R.Text(&F::edtFirstName)); }, &F::edtFirstName,
     ' ', -1},
    {[](TCheckRun& R) {
       const std::string T = R.Text(&F::edtMiddleName);
       return T.empty() || IsValidName(T, Quoted("Invalid middle name : ", T));
     },
     &F::edtMiddleName, ' ', -1},
    {[](TCheckRun& R) { return ValidateAddress(R.Text(&F::edtAddress1)); }, &F::edtAddress1, 'D',
     -1},
    {[](TCheckRun& R) {
       const std::string T = R.Text(&F::edtAddress2);
       return T.empty() || IsValidAddress(T, Quoted("Invalid address line 2 : ", T));
     },
     &F::edtAddress2, 'D', -1},
    {[](TCheckRun& R) { return ValidateCity(R.Text(&F::edtCity)); }, &F::edtCity, 'D', -1},
    {[](TCheckRun& R) { return ValidateZip(R.Text(&F::mskZip)); }, &F::mskZip, 'D', -1},
    {[](TCheckRun& R) { return ValidateZip4(R.Text(&F::mskZip4)); }, &F::mskZip4, 'D', -1},
    {[](TCheckRun& R) { return ValidateEffDate(R.Text(&F::edtEffDate)); }, &F::edtEffDate, 'D', -1},
    {[](TCheckRun& R) { return ValidateBirthDate(R.Text(&F::edtBirthDate)); }, &F::edtBirthDate,
     'D', -1},
    {[](TCheckRun& R) { return ValidateAreaCode(R.Text(&F::mskAreaCode)); }, &F::mskAreaCode, 'D',
     -1},
    {[](TCheckRun& R) { return ValidatePhone(R.Text(&F::mskPhone)); }, &F::mskPhone, 'D', -1},
    {[](TCheckRun& R) { return ValidatePhoneExt(R.Text(&F::mskPhoneExt)); }, &F::mskPhoneExt, 'D',
     -1},
    {[](TCheckRun& R) { return ValidatePensionable(R.Amount(0)); }, nullptr, ' ', 0},
    {[](TCheckRun& R) { return ValidateEarnable(R.Amount(1)); }, nullptr, ' ', 1},
    // Pensionable not above earnable; equal pays pass.
    {[](TCheckRun& R) {
       if (!ReadAmount(R.Amount(0), R.P) || !ReadAmount(R.Amount(1), R.E)) throw EAbort();
       return IsPensionableWithinEarnable(ToCents(R.P), ToCents(R.E)) ||
              Fail("Earnable compensation < pensionable compensation!");
     },
     nullptr, ' ', 0},
    {[](TCheckRun& R) { return ValidateFTE(R.Amount(2), R.P, R.E); }, nullptr, ' ', 2},
    {[](TCheckRun& R) { return ValidateRegular(R.Amount(3), R.P); }, nullptr, ' ', 3},
    {[](TCheckRun& R) { return ValidateHealth(R.Amount(4), R.P); }, nullptr, ' ', 4},
    {[](TCheckRun& R) { return ValidateVoluntary(R.Amount(5)); }, nullptr, ' ', 5},
    {[](TCheckRun& R) { return ValidateContract(R.Amount(6)); }, nullptr, ' ', 6},
    // The deductions, summed in row order, not above the pensionable pay.
    {[](TCheckRun& R) {
       TCents Sum = 0;
       for (int32_t Row = 3; Row <= 6; ++Row) {
         double Value;
         if (!ReadAmount(R.Amount(Row), Value)) throw EAbort();
         Sum += ToCents(Value);
       }
       const TCents P = ToCents(R.P);
       if (AreDeductionsWithinPensionable(Sum, P)) return true;
       return Fail("Deductions (" + FormatMoney(FromCents(Sum)) +
                   ") cannot be bigger than pensionable amount(" + FormatMoney(FromCents(P)) + ")!");
     },
     nullptr, ' ', 5},
};

}  // namespace

bool TfrmMbrDetail::ValidateRecord() {
  TCheckRun Run{*this};
  // A new member, or one whose SSN was changed, must not occur in the month at
  // all; a saved member keeping its SSN occurs there once already.
  Run.AllowedCount = (Mode == 'A' || Mode == 'I') ? 0 : (mskSSN->Text() == OldSSN ? 1 : 0);
  for (const TCheckStep& Step : CheckSteps) {
    bool Passed;
    try {
      Passed = Step.Check(Run);
    } catch (const EAbort&) {
      // An amount that passed its own check but cannot be read: no message, no focus.
      return false;
    }
    if (Passed) continue;
    if (Step.Control != nullptr)
      FocusOn(this->*Step.Control, Step.Page);
    else
      FocusRow(Step.Row);
    return false;
  }
  return true;
}

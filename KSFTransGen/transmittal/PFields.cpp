#include "PFields.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "TextParse.h"
#include "Utils.h"
#include "ValidationLimits.h"

// The hot operations (reading amounts, blanks and dates of 100,000 members) work on
// the buffer through string views and hand them to the parses as they stand: no
// allocation.

namespace {

inline bool IsTrimCode(char C) { return static_cast<unsigned char>(C) <= 32; }
inline bool IsDigit(char C) { return C >= '0' && C <= '9'; }

std::string_view TrimView(std::string_view S) {
  size_t B = 0, E = S.size();
  while (B < E && IsTrimCode(S[B])) ++B;
  while (E > B && IsTrimCode(S[E - 1])) --E;
  return S.substr(B, E - B);
}

void Fill(char* Buffer, const TField& Field, char C) {
  if (Field.Length > 0) std::memset(Buffer + Field.Start - 1, C, static_cast<size_t>(Field.Length));
}

// Copies at most the field's width, left-justified, over a cleared field.
void WriteText(char* Buffer, const TField& Field, std::string_view Text) {
  Fill(Buffer, Field, ' ');
  size_t N = Text.size();
  if (Field.Length <= 0) return;
  if (N > static_cast<size_t>(Field.Length)) N = static_cast<size_t>(Field.Length);
  std::memcpy(Buffer + Field.Start - 1, Text.data(), N);
}

std::string_view FieldView(const TField& Field, const char* Buffer) {
  return std::string_view(Buffer + Field.Start - 1,
                          Field.Length > 0 ? static_cast<size_t>(Field.Length) : 0);
}

// A stored date; the no-date value when it is blank, short or no calendar date.
TDateTime ReadStoredDate(std::string_view Trimmed) {
  if (Trimmed.size() < 8) return NoDateValue;
  int32_t Month = 0, Day = 0, Year = 0;
  TDateTime Value = 0;
  if (TryStrToInt(Trimmed.substr(0, 2), Month) && TryStrToInt(Trimmed.substr(2, 2), Day) &&
      TryStrToInt(Trimmed.substr(4, 4), Year) && TryEncodeDate(Year, Month, Day, Value))
    return Value;
  return NoDateValue;
}

void WriteStoredDate(char* Buffer, const TField& Field, TDateTime Value) {
  uint16_t Year = 0, Month = 0, Day = 0;
  // A day number outside the calendar (year 0) cannot be written as MMDDYYYY; it
  // is stored as unreadable rather than as digits that spill beyond the field.
  DecodeDate(Value, Year, Month, Day);
  if (Year == 0) DecodeDate(NoDateValue, Year, Month, Day);
  WriteText(Buffer, Field, MakeDateDigits(Year, Month, Day));
}

// Shortest form with up to 15 significant digits, exponent written as E-5 / E20.
std::string FormatGeneral(double Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  char Text[64];
  auto Result = std::to_chars(Text, Text + sizeof Text, Value, std::chars_format::general, 15);
  std::string Digits(Text, Result.ptr);
  std::string Out;
  size_t E = Digits.find('e');
  std::string Mantissa = Digits.substr(0, E);
  if (Mantissa.find('.') != std::string::npos) {
    while (!Mantissa.empty() && Mantissa.back() == '0') Mantissa.pop_back();
    if (!Mantissa.empty() && Mantissa.back() == '.') Mantissa.pop_back();
  }
  for (char& C : Mantissa)
    if (C == '.') C = Env().Regional().DecimalSeparator;
  Out = Mantissa;
  if (E != std::string::npos) {
    std::string_view Exp(Digits.data() + E + 1, Digits.size() - E - 1);
    Out += 'E';
    if (!Exp.empty() && Exp[0] == '-') Out += '-';
    if (!Exp.empty() && (Exp[0] == '-' || Exp[0] == '+')) Exp.remove_prefix(1);
    while (Exp.size() > 1 && Exp[0] == '0') Exp.remove_prefix(1);
    Out += Exp;
  }
  return Out;
}

std::string FormatDateTimeText(TDateTime Value) {
  std::string Text = DateToStr(Value);
  double Fraction = std::fabs(Value - std::trunc(Value));
  if (!(Fraction > 0)) return Text;
  long long Millis = std::llround(Fraction * 86400000.0);
  if (Millis >= 86400000) Millis = 86399999;
  long long Seconds = Millis / 1000;
  int Hour = static_cast<int>(Seconds / 3600), Minute = static_cast<int>(Seconds / 60 % 60),
      Second = static_cast<int>(Seconds % 60);
  char Time[32];
  std::snprintf(Time, sizeof Time, " %02d:%02d:%02d %s", Hour % 12 == 0 ? 12 : Hour % 12, Minute,
                Second, Hour < 12 ? "AM" : "PM");
  return Text + Time;
}

int Sign(double A, double B) { return A < B ? -1 : (A > B ? 1 : 0); }

}  // namespace

// ---------------------------------------------------------------- stored dates

std::string MakeDateDigits(uint16_t Year, uint16_t Month, uint16_t Day) {
  std::string MonthText = std::to_string(Month), DayText = std::to_string(Day);
  if (Month < 10) MonthText = "0" + MonthText;
  if (Day < 10) DayText = "0" + DayText;
  char Text[32];
  std::snprintf(Text, sizeof Text, "%2s%2s%4u", MonthText.c_str(), DayText.c_str(),
                static_cast<unsigned>(Year));
  return Text;
}

bool IsDateInRange(TDateTime Value) {
  TDateTime Today = Date();
  return Today - DateWindowDays <= Value && Value <= Today + DateWindowDays;
}

// ---------------------------------------------------------------- TField

TField::TField(const std::string& Name, int32_t Start, int32_t Length)
    : Start(Start), Length(Length), Name(Name) {}

std::string TField::Raw(const char* Buffer) const { return std::string(FieldView(*this, Buffer)); }

std::string TField::Trimmed(const char* Buffer) const {
  return std::string(TrimView(FieldView(*this, Buffer)));
}

void TField::WriteIntegerText(char* Buffer, int32_t Value) const {
  char Text[16];
  auto Result = std::to_chars(Text, Text + sizeof Text, Value);
  WriteText(Buffer, *this, std::string_view(Text, static_cast<size_t>(Result.ptr - Text)));
}

bool TField::IsAlphaText(const char* Buffer) const {
  bool Letter = false;
  for (char C : FieldView(*this, Buffer)) {
    if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'))
      Letter = true;
    else if (C != ' ' && C != '\'' && C != '-' && C != '.')
      return false;
  }
  return Letter;
}

bool TField::IsAlphaNumText(const char* Buffer) const {
  bool LetterOrDigit = false;
  for (char C : FieldView(*this, Buffer)) {
    if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || IsDigit(C))
      LetterOrDigit = true;
    else if (std::strchr(" #&',-./", C) == nullptr || C == '\0')
      return false;
  }
  return LetterOrDigit;
}

bool TField::IsInteger(const char* Buffer) const {
  int32_t Value = 0;
  return TryStrToInt(FieldView(*this, Buffer), Value);
}

bool TField::IsValidDate(const char* Buffer) const {
  if (Length != 8) return false;
  const char* P = Buffer + Start - 1;
  const char Text[10] = {P[0], P[1], '/', P[2], P[3], '/', P[4], P[5], P[6], P[7]};
  TDateTime Value = 0;
  return TryStrToDate(std::string_view(Text, sizeof Text), Value) && IsDateInRange(Value);
}

// ---------------------------------------------------------------- TStringField

std::string TStringField::GetAsString(const char* Buffer) const {
  return std::string(TrimView(FieldView(*this, Buffer)));
}

TDateTime TStringField::GetAsDateTime(const char* Buffer) const {
  TDateTime Value = 0;
  return TryStrToDateTime(TrimView(FieldView(*this, Buffer)), Value) ? Value : 0;
}

int32_t TStringField::GetAsInteger(const char* Buffer) const {
  int32_t Value = 0;
  return TryStrToInt(TrimView(FieldView(*this, Buffer)), Value) ? Value : 0;
}

double TStringField::GetAsFloat(const char* Buffer) const {
  double Value = 0;
  return TryStrToFloat(TrimView(FieldView(*this, Buffer)), Value) ? Value : 0;
}

void TStringField::SetAsString(char* Buffer, const std::string& Text) const {
  WriteText(Buffer, *this, Text);
}

void TStringField::SetAsDateTime(char* Buffer, TDateTime Value) const {
  SetAsString(Buffer, FormatDateTimeText(Value));
}

void TStringField::SetAsInteger(char* Buffer, int32_t Value) const {
  SetAsString(Buffer, std::to_string(Value));
}

void TStringField::SetAsFloat(char* Buffer, double Value) const {
  SetAsString(Buffer, FormatGeneral(Value));
}

TVariant TStringField::GetAsVariant(const char* Buffer) const {
  TVariant Value;
  Value.Kind = TVariant::TKind::String;
  Value.Str = GetAsString(Buffer);
  return Value;
}

void TStringField::SetAsVariant(char* Buffer, const TVariant& Value) const {
  switch (Value.Kind) {
    case TVariant::TKind::String:
      SetAsString(Buffer, Value.Str);
      break;
    case TVariant::TKind::Date:
      SetAsDateTime(Buffer, Value.Num);
      break;
    case TVariant::TKind::Float:
      SetAsFloat(Buffer, Value.Num);
      break;
  }
}

bool TStringField::IsBlank(const char* Buffer) const {
  for (char C : FieldView(*this, Buffer))
    if (C != ' ') return false;
  return true;
}

int TStringField::Compare(const char* Buffer1, const char* Buffer2) const {
  std::string_view A = TrimView(FieldView(*this, Buffer1));
  std::string_view B = TrimView(FieldView(*this, Buffer2));
  size_t N = A.size() < B.size() ? A.size() : B.size();
  for (size_t i = 0; i < N; ++i) {
    unsigned char CA = static_cast<unsigned char>(A[i]), CB = static_cast<unsigned char>(B[i]);
    if (CA >= 'a' && CA <= 'z') CA = static_cast<unsigned char>(CA - 32);
    if (CB >= 'a' && CB <= 'z') CB = static_cast<unsigned char>(CB - 32);
    if (CA != CB) return CA < CB ? -1 : 1;
  }
  return A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
}

void TStringField::Clear(char* Buffer) const { Fill(Buffer, *this, ' '); }

// ---------------------------------------------------------------- TStdDateField

std::string TStdDateField::GetAsString(const char* Buffer) const {
  std::string_view T = TrimView(FieldView(*this, Buffer));
  if (T.size() < 8) return {};
  std::string Text;
  Text.reserve(10);
  Text += TrimView(T.substr(0, 2));
  Text += '/';
  Text += TrimView(T.substr(2, 2));
  Text += '/';
  Text += TrimView(T.substr(4, 4));
  return Text;
}

TDateTime TStdDateField::GetAsDateTime(const char* Buffer) const {
  return ReadStoredDate(TrimView(FieldView(*this, Buffer)));
}

int32_t TStdDateField::GetAsInteger(const char* Buffer) const {
  return static_cast<int32_t>(GetAsDateTime(Buffer));
}

double TStdDateField::GetAsFloat(const char* Buffer) const { return GetAsDateTime(Buffer); }

void TStdDateField::SetAsString(char* Buffer, const std::string& Text) const {
  Clear(Buffer);
  if (ContainsNoDigit(Text)) return;
  TDateTime Value = NoDateValue;
  if (!TryStrToDate(Text, Value)) Value = NoDateValue;
  WriteStoredDate(Buffer, *this, Value);
}

void TStdDateField::SetAsDateTime(char* Buffer, TDateTime Value) const {
  WriteStoredDate(Buffer, *this, Value);
}

void TStdDateField::SetAsInteger(char* Buffer, int32_t Value) const {
  SetAsDateTime(Buffer, Value);
}

void TStdDateField::SetAsFloat(char* Buffer, double Value) const { SetAsDateTime(Buffer, Value); }

TVariant TStdDateField::GetAsVariant(const char* Buffer) const {
  TVariant Value;
  Value.Kind = TVariant::TKind::Date;
  Value.Num = GetAsDateTime(Buffer);
  return Value;
}

void TStdDateField::SetAsVariant(char* Buffer, const TVariant& Value) const {
  if (Value.Kind != TVariant::TKind::String) {
    SetAsDateTime(Buffer, Value.Num);
    return;
  }
  double Number = 0;
  SetAsDateTime(Buffer, TryStrToFloat(Value.Str, Number) ? Number : NoDateValue);
}

bool TStdDateField::IsBlank(const char* Buffer) const {
  for (char C : FieldView(*this, Buffer))
    if (C != ' ') return false;
  return true;
}

int TStdDateField::Compare(const char* Buffer1, const char* Buffer2) const {
  return Sign(GetAsDateTime(Buffer1), GetAsDateTime(Buffer2));
}

void TStdDateField::Clear(char* Buffer) const { Fill(Buffer, *this, ' '); }

// ---------------------------------------------------------------- TDoubleField

TDoubleField::TDoubleField(const std::string& Name, int32_t Scale, int32_t Start, int32_t Length)
    : TField(Name, Start, Length), Scale(Scale) {}

std::string TDoubleField::GetAsString(const char* Buffer) const {
  // The grids show every amount of every member: for the usual scales the two
  // decimals are the stored digits themselves, so they are placed directly. This
  // is exactly what formatting the read value would give.
  if (Scale == 1 || Scale == 10 || Scale == 100) {
    std::string_view T = TrimView(FieldView(*this, Buffer));
    int32_t Stored = 0;
    if (T.empty() || !TryStrToInt(T, Stored)) Stored = 0;
    int64_t Hundredths = static_cast<int64_t>(Stored) * (100 / Scale);
    uint64_t Magnitude = static_cast<uint64_t>(Hundredths < 0 ? -Hundredths : Hundredths);
    char Text[32];
    char* P = Text + sizeof Text;
    *--P = static_cast<char>('0' + Magnitude % 10);
    *--P = static_cast<char>('0' + Magnitude / 10 % 10);
    *--P = Env().Regional().DecimalSeparator;
    uint64_t Whole = Magnitude / 100;
    do {
      *--P = static_cast<char>('0' + Whole % 10);
      Whole /= 10;
    } while (Whole != 0);
    if (Hundredths < 0) *--P = '-';
    size_t N = static_cast<size_t>(Text + sizeof Text - P);
    std::string Result;
    if (N < 10) Result.assign(10 - N, ' ');
    Result.append(P, N);
    return Result;
  }
  return FormatFixed(GetAsFloat(Buffer), 2, 10);
}

TDateTime TDoubleField::GetAsDateTime(const char* Buffer) const { return GetAsFloat(Buffer); }

int32_t TDoubleField::GetAsInteger(const char* Buffer) const {
  double Value = std::trunc(GetAsFloat(Buffer));
  // Only a scale below 1 could leave the 32-bit range; such a value reads as 0.
  if (!(Value >= -2147483648.0 && Value <= 2147483647.0)) return 0;
  return static_cast<int32_t>(Value);
}

double TDoubleField::GetAsFloat(const char* Buffer) const {
  std::string_view T = TrimView(FieldView(*this, Buffer));
  int32_t Stored = 0;
  if (T.empty() || !TryStrToInt(T, Stored) || Scale == 0) return 0;
  return RoundToFactor(static_cast<double>(Stored) / Scale, Scale);
}

void TDoubleField::SetAsString(char* Buffer, const std::string& Text) const {
  double Value = 0;
  if (Text.empty() || !TryStrToFloat(Text, Value)) {
    Clear(Buffer);
    return;
  }
  SetAsFloat(Buffer, Value);
}

void TDoubleField::SetAsDateTime(char* Buffer, TDateTime Value) const { SetAsFloat(Buffer, Value); }

void TDoubleField::SetAsInteger(char* Buffer, int32_t Value) const { SetAsFloat(Buffer, Value); }

void TDoubleField::SetAsFloat(char* Buffer, double Value) const {
  // The extended product of a double and a 32-bit scale is exact, so the only
  // rounding is the one to the nearest integer (halves to even).
  long double Rounded = std::rintl(static_cast<long double>(Value) * Scale);
  bool Fits = Rounded >= -2147483648.0L && Rounded <= 2147483647.0L;
  if (Fits) {
    char Text[16];
    auto Result = std::to_chars(Text, Text + sizeof Text, static_cast<int32_t>(Rounded));
    Fits = Result.ptr - Text <= Length;
  }
  // Storing a cut-off or wrapped number would change the member's money without
  // a word; the caller's save must fail instead, with the buffer as it was.
  if (!Fits) RaiseDoesNotFit(Value);
  WriteIntegerText(Buffer, static_cast<int32_t>(Rounded));
}

void TDoubleField::RaiseDoesNotFit(double Value) const {
  int Decimals = 0;
  for (int32_t S = Scale; S >= 10 && S % 10 == 0; S /= 10) ++Decimals;
  std::string ValueText = std::isfinite(Value) && std::fabs(Value) < 1e15
                              ? Trim(FormatFixed(Value, Decimals))
                              : FormatGeneral(Value);
  throw EDoesNotFit("Value " + ValueText + " does not fit field " + Name, Name);
}

void TDoubleField::CheckStorable(const char* Buffer) const {
  const std::string_view T = TrimView(FieldView(*this, Buffer));
  if (Scale == 0) return;
  const size_t Sign = !T.empty() && (T[0] == '+' || T[0] == '-') ? 1 : 0;
  // Nine characters that begin with two digits (no hexadecimal prefix) always
  // fit or are no number; only the rest needs the full parse.
  const size_t Digits = T.size() - Sign;
  if (Digits <= 9 && (Digits == 0 || (IsDigit(T[Sign]) && (Digits == 1 || IsDigit(T[Sign + 1])))))
    return;
  long double Whole = 0;
  if (IsIntegerBeyondRange(T, Whole)) RaiseDoesNotFit(static_cast<double>(Whole / Scale));
}

TVariant TDoubleField::GetAsVariant(const char* Buffer) const {
  TVariant Value;
  Value.Kind = TVariant::TKind::Float;
  Value.Num = GetAsFloat(Buffer);
  return Value;
}

void TDoubleField::SetAsVariant(char* Buffer, const TVariant& Value) const {
  if (Value.Kind == TVariant::TKind::String)
    SetAsString(Buffer, Value.Str);
  else
    SetAsFloat(Buffer, Value.Num);
}

bool TDoubleField::IsBlank(const char* Buffer) const {
  for (char C : FieldView(*this, Buffer))
    if (C != ' ' && C != '0') return false;
  return true;
}

int TDoubleField::Compare(const char* Buffer1, const char* Buffer2) const {
  double A = GetAsFloat(Buffer1), B = GetAsFloat(Buffer2);
  if (FloatEquals(A, B)) return 0;
  return A < B ? -1 : 1;
}

void TDoubleField::Clear(char* Buffer) const { Fill(Buffer, *this, ' '); }

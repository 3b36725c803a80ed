#include "TextParse.h"

#include <charconv>
#include <string>

#include "Env.h"

// By hand over string views: the field reads of 100,000 members parse through here,
// with no allocation and no locale call for an integer or a date.

namespace {

inline bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// The hundred years a one- or two-digit year falls in start this many years
// before the current year.
constexpr int CenturyWindowYears = 50;

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

enum class TIntText { Fits, Beyond, NoInteger };

// The integer parse. A text of its form whose value lies outside 32 bits is
// Beyond, its value then in Whole; Value is set only when it Fits.
TIntText ParseInt(std::string_view S, int32_t& Value, bool AllowHex, long double& Whole) {
  size_t I = 0, N = S.size();
  while (I < N && S[I] == ' ') ++I;
  bool Negative = false;
  if (I < N && (S[I] == '+' || S[I] == '-')) {
    Negative = S[I] == '-';
    ++I;
  }
  // The magnitude may reach 2^31 for a negative value; anything beyond fails.
  const uint64_t Limit = Negative ? 2147483648ULL : 2147483647ULL;
  uint64_t Magnitude = 0;
  bool Hex = false;
  if (AllowHex && I < N && (S[I] == '$' || S[I] == 'x' || S[I] == 'X')) {
    Hex = true;
    ++I;
  } else if (AllowHex && I + 1 < N && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
    Hex = true;
    I += 2;
  }
  if (I >= N) return TIntText::NoInteger;
  const unsigned Base = Hex ? 16 : 10;
  auto DigitAt = [&](size_t At) { return Hex ? HexValue(S[At]) : (IsDigit(S[At]) ? S[At] - '0' : -1); };
  for (; I < N; ++I) {
    int Digit = DigitAt(I);
    if (Digit < 0) return TIntText::NoInteger;
    Magnitude = Magnitude * Base + static_cast<uint64_t>(Digit);
    if (Magnitude > Limit) {
      // Too large: only a text that keeps to the form to its end is a number.
      long double Large = static_cast<long double>(Magnitude);
      for (++I; I < N; ++I) {
        Digit = DigitAt(I);
        if (Digit < 0) return TIntText::NoInteger;
        Large = Large * Base + Digit;
      }
      Whole = Negative ? -Large : Large;
      return TIntText::Beyond;
    }
  }
  Value = Negative ? static_cast<int32_t>(-static_cast<int64_t>(Magnitude))
                   : static_cast<int32_t>(Magnitude);
  return TIntText::Fits;
}

bool ParseInt(std::string_view S, int32_t& Value, bool AllowHex = true) {
  long double Ignored = 0;
  return ParseInt(S, Value, AllowHex, Ignored) == TIntText::Fits;
}

// Checks the number syntax and rewrites it in the neutral form that from_chars reads.
// Returns false for anything but blanks, sign, digits, one regional decimal separator
// and an exponent. DecimalExponent receives an estimate of the power of ten of the
// first significant digit, so that a result out of range can be told apart as
// overflow (fails) or underflow (reads as 0).
bool NormalizeNumber(std::string_view S, char DecimalSeparator, std::string& Out,
                     long long& DecimalExponent, bool& AllZero) {
  size_t I = 0, N = S.size();
  while (I < N && S[I] == ' ') ++I;
  while (N > I && S[N - 1] == ' ') --N;
  Out.clear();
  Out.reserve(N - I + 2);
  if (I < N && (S[I] == '+' || S[I] == '-')) {
    if (S[I] == '-') Out.push_back('-');
    ++I;
  }
  size_t Digits = 0;
  long long IntDigitsAfterLeadingZeros = 0;
  long long LeadingFractionZeros = 0;
  bool SeenNonZero = false;
  while (I < N && IsDigit(S[I])) {
    if (S[I] != '0') SeenNonZero = true;
    if (SeenNonZero) ++IntDigitsAfterLeadingZeros;
    Out.push_back(S[I++]);
    ++Digits;
  }
  if (I < N && S[I] == DecimalSeparator) {
    ++I;
    Out.push_back('.');
    while (I < N && IsDigit(S[I])) {
      if (S[I] != '0') {
        SeenNonZero = true;
      } else if (!SeenNonZero) {
        ++LeadingFractionZeros;
      }
      Out.push_back(S[I++]);
      ++Digits;
    }
  }
  if (Digits == 0) return false;
  long long Exponent = 0;
  if (I < N && (S[I] == 'e' || S[I] == 'E')) {
    ++I;
    Out.push_back('e');
    bool NegativeExponent = false;
    if (I < N && (S[I] == '+' || S[I] == '-')) {
      NegativeExponent = S[I] == '-';
      Out.push_back(S[I++]);
    }
    size_t ExponentDigits = 0;
    while (I < N && IsDigit(S[I])) {
      if (Exponent < 1000000) Exponent = Exponent * 10 + (S[I] - '0');
      Out.push_back(S[I++]);
      ++ExponentDigits;
    }
    if (ExponentDigits == 0) return false;
    if (NegativeExponent) Exponent = -Exponent;
  }
  if (I != N) return false;
  AllZero = !SeenNonZero;
  DecimalExponent = Exponent + (IntDigitsAfterLeadingZeros > 0 ? IntDigitsAfterLeadingZeros
                                                               : -LeadingFractionZeros);
  return true;
}

template <class T>
bool ParseFloat(std::string_view S, T& Value) {
  std::string Neutral;
  long long DecimalExponent = 0;
  bool AllZero = false;
  if (!NormalizeNumber(S, Env().Regional().DecimalSeparator, Neutral, DecimalExponent, AllZero))
    return false;
  T Result = 0;
  auto [Ptr, Ec] = std::from_chars(Neutral.data(), Neutral.data() + Neutral.size(), Result,
                                   std::chars_format::general);
  if (Ec == std::errc::result_out_of_range) {
    if (AllZero || DecimalExponent > 0) return false;  // overflow
    Result = (!Neutral.empty() && Neutral[0] == '-') ? -T(0) : T(0);
  } else if (Ec != std::errc() || Ptr != Neutral.data() + Neutral.size()) {
    return false;
  }
  Value = Result;
  return true;
}

// Reads up to the first non-digit, or until the number read reaches 1000.
bool ScanNumber(std::string_view S, size_t& Pos, int& Number, int& DigitCount) {
  while (Pos < S.size() && S[Pos] == ' ') ++Pos;
  size_t I = Pos;
  int N = 0;
  while (I < S.size() && IsDigit(S[I]) && N < 1000) N = N * 10 + (S[I++] - '0');
  if (I == Pos) return false;
  DigitCount = static_cast<int>(I - Pos);
  Pos = I;
  Number = N;
  return true;
}

bool ScanChar(std::string_view S, size_t& Pos, char C) {
  while (Pos < S.size() && S[Pos] == ' ') ++Pos;
  if (Pos < S.size() && S[Pos] == C) {
    ++Pos;
    return true;
  }
  return false;
}

// The date part of the short-date parse (month first); Pos ends after the last number.
bool ScanDate(std::string_view S, size_t& Pos, TDateTime& Value) {
  int N1 = 0, N2 = 0, N3 = 0, L1 = 0, L2 = 0, L3 = 0;
  if (!ScanNumber(S, Pos, N1, L1) || !ScanChar(S, Pos, '/') || !ScanNumber(S, Pos, N2, L2))
    return false;
  int Year;
  if (ScanChar(S, Pos, '/')) {
    if (!ScanNumber(S, Pos, N3, L3)) return false;
    Year = N3;
    if (L3 <= 2) {
      int CenturyBase = CurrentYear() - CenturyWindowYears;
      Year += CenturyBase / 100 * 100;
      if (Year < CenturyBase) Year += 100;
    }
  } else {
    Year = CurrentYear();
  }
  return TryEncodeDate(Year, N1, N2, Value);
}

bool ParseShortDate(std::string_view S, TDateTime& Value) {
  size_t Pos = 0;
  TDateTime Result = 0;
  if (!ScanDate(S, Pos, Result)) return false;
  ScanChar(S, Pos, '/');
  while (Pos < S.size() && S[Pos] == ' ') ++Pos;
  if (Pos != S.size()) return false;
  Value = Result;
  return true;
}

// hh:nn[:ss[.zzz]] with an optional AM/PM (or A/P) after it.
bool ScanTime(std::string_view S, size_t& Pos, double& Time) {
  int Hour = 0, Minute = 0, Second = 0, Milli = 0, L = 0;
  if (!ScanNumber(S, Pos, Hour, L) || !ScanChar(S, Pos, ':') || !ScanNumber(S, Pos, Minute, L))
    return false;
  if (ScanChar(S, Pos, ':')) {
    if (!ScanNumber(S, Pos, Second, L)) return false;
    if (ScanChar(S, Pos, '.') && !ScanNumber(S, Pos, Milli, L)) return false;
  }
  while (Pos < S.size() && S[Pos] == ' ') ++Pos;
  if (Pos < S.size() && (S[Pos] == 'A' || S[Pos] == 'a' || S[Pos] == 'P' || S[Pos] == 'p')) {
    bool Pm = S[Pos] == 'P' || S[Pos] == 'p';
    ++Pos;
    if (Pos < S.size() && (S[Pos] == 'M' || S[Pos] == 'm')) ++Pos;
    if (Hour < 1 || Hour > 12) return false;
    Hour = Hour % 12 + (Pm ? 12 : 0);
  }
  if (Hour > 23 || Minute > 59 || Second > 59 || Milli > 999) return false;
  Time = (Hour * 3600000.0 + Minute * 60000.0 + Second * 1000.0 + Milli) / 86400000.0;
  return true;
}

bool ParseDateTime(std::string_view S, TDateTime& Value) {
  size_t Pos = 0;
  TDateTime Day = 0;
  if (!ScanDate(S, Pos, Day)) return false;
  double Time = 0;
  while (Pos < S.size() && S[Pos] == ' ') ++Pos;
  if (Pos < S.size()) {
    if (!ScanTime(S, Pos, Time)) return false;
    while (Pos < S.size() && S[Pos] == ' ') ++Pos;
    if (Pos != S.size()) return false;
  }
  // Before day 0 the time of day counts away from zero, as everywhere for day numbers.
  Value = Day >= 0 ? Day + Time : Day - Time;
  return true;
}

}  // namespace

bool TryStrToInt(std::string_view Text, int32_t& Value) { return ParseInt(Text, Value); }

bool TryStrToDecimalInt(std::string_view Text, int32_t& Value) {
  return ParseInt(Text, Value, false);
}

bool IsIntegerBeyondRange(std::string_view Text, long double& Value) {
  int32_t Fits = 0;
  return ParseInt(Text, Fits, true, Value) == TIntText::Beyond;
}

bool TryStrToFloat(std::string_view Text, long double& Value) { return ParseFloat(Text, Value); }

bool TryStrToFloat(std::string_view Text, double& Value) { return ParseFloat(Text, Value); }

bool TryStrToDate(std::string_view Text, TDateTime& Value) { return ParseShortDate(Text, Value); }

bool TryStrToDateTime(std::string_view Text, TDateTime& Value) {
  return ParseDateTime(Text, Value);
}

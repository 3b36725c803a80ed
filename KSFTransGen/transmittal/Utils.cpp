#include "Utils.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "TextParse.h"
#include "ValidationLimits.h"

TError* ErrorList = nullptr;
std::string AppDir;
int32_t ScreenDPI = 0;
std::string ShortDateFormat;
std::string LongDateFormat;

// ---------------------------------------------------------------- TError

void TError::Clear() { Messages.clear(); }

void TError::Add(const std::string& Message) { Messages.push_back(Message); }

bool TError::IsEmpty() const { return Messages.empty(); }

void TError::Show() { Env().ShowMessages(Messages); }

// ---------------------------------------------------------------- numbers

namespace {

// Fixed-point digits of Value (no sign) with a '.' point, exactly rounded, halves
// of exactly representable values to even. Negative is set when the rounded value
// is not zero, so that -0.001 never shows as "-0.00".
std::string FixedDigits(long double Value, int Decimals, bool& Negative) {
  if (Decimals < 0) Decimals = 0;
  if (Decimals > 30) Decimals = 30;
  Negative = false;
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) {
    Negative = Value < 0;
    return "INF";
  }
  bool Minus = std::signbit(Value);
  long double Magnitude = std::fabs(Value);
  // A long double reaches 4933 integer digits.
  char Text[5000];
  std::to_chars_result Result;
  double AsDouble = static_cast<double>(Magnitude);
  if (static_cast<long double>(AsDouble) == Magnitude)
    Result = std::to_chars(Text, Text + sizeof Text, AsDouble, std::chars_format::fixed, Decimals);
  else
    Result = std::to_chars(Text, Text + sizeof Text, Magnitude, std::chars_format::fixed, Decimals);
  if (Result.ec != std::errc()) return "INF";
  std::string Digits(Text, Result.ptr);
  if (Minus)
    for (char C : Digits)
      if (C >= '1' && C <= '9') {
        Negative = true;
        break;
      }
  return Digits;
}

}  // namespace

int32_t Min(int32_t A, int32_t B) { return A < B ? A : B; }

bool FloatEquals(long double A, long double B) {
  long double D = A - B;
  return -AmountTolerance < D && D < AmountTolerance;
}

bool FloatDiffers(long double A, long double B) {
  long double D = A - B;
  return D < -AmountTolerance || D > AmountTolerance;
}

double RoundToFactor(double Value, long double Factor) {
  if (!(Factor >= 10 && Factor <= 100000000)) return Value;
  long double Product = static_cast<long double>(Value) * Factor;
  // Beyond 2^63 every extended value is already whole: nothing to round.
  if (!(std::fabs(Product) < 9223372036854775808.0L)) return Value;
  return static_cast<double>(std::rintl(Product) / Factor);
}

bool ContainsNoDigit(const std::string& Text) {
  for (char C : Text)
    if (C >= '0' && C <= '9') return false;
  return true;
}

std::string MonthName(int Month) {
  static const char* const Names[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
  if (Month < 1 || Month > 12) return {};
  return Names[Month - 1];
}

std::string FormatAmount(const std::string& Text) {
  double Value = 0;
  if (!TryStrToFloat(Text, Value)) {
    Beep();
    return Trim(Text);
  }
  return Trim(FormatFixed(Value, 2));
}

bool IsValidYear(const std::string& Text) {
  if (Text.empty()) return false;
  int Year = CurrentYear();
  int32_t N = 0;
  if (!TryStrToInt(Text, N)) return false;
  return Year - DateWindowYears <= N && N <= Year + DateWindowYears;
}

std::string FormatSSN(const std::string& Text) {
  if (Text.size() != 9) return Text;
  return Text.substr(0, 3) + "-" + Text.substr(3, 2) + "-" + Text.substr(5, 4);
}

std::string Trim(const std::string& Text) {
  size_t B = 0, E = Text.size();
  while (B < E && static_cast<unsigned char>(Text[B]) <= 32) ++B;
  while (E > B && static_cast<unsigned char>(Text[E - 1]) <= 32) --E;
  return Text.substr(B, E - B);
}

std::string UpperCase(const std::string& Text) {
  std::string Result = Text;
  for (char& C : Result)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Result;
}

std::string FormatMoney(long double Value) {
  const TRegionalSettings& R = Env().Regional();
  bool Negative = false;
  std::string Digits = FixedDigits(Value, R.CurrencyDecimals, Negative);
  // Group the whole part in threes and put in the regional separators.
  size_t Point = Digits.find('.');
  std::string Whole = Digits.substr(0, Point);
  std::string Number;
  Number.reserve(Digits.size() + Digits.size() / 3 + 1);
  bool Numeric = !Whole.empty() && Whole[0] >= '0' && Whole[0] <= '9';
  for (size_t i = 0; i < Whole.size(); ++i) {
    if (Numeric && i > 0 && (Whole.size() - i) % 3 == 0) Number += R.ThousandSeparator;
    Number += Whole[i];
  }
  if (Point != std::string::npos) {
    Number += R.DecimalSeparator;
    Number.append(Digits, Point + 1, std::string::npos);
  }
  const std::string& C = R.CurrencyString;
  if (!Negative) {
    switch (R.CurrencyFormat) {
      case 1:
        return Number + C;
      case 2:
        return C + " " + Number;
      case 3:
        return Number + " " + C;
      default:
        return C + Number;
    }
  }
  switch (R.NegCurrFormat) {
    case 1:
      return "-" + C + Number;
    case 2:
      return C + "-" + Number;
    case 3:
      return C + Number + "-";
    case 4:
      return "(" + Number + C + ")";
    case 5:
      return "-" + Number + C;
    case 6:
      return Number + "-" + C;
    case 7:
      return Number + C + "-";
    case 8:
      return "-" + Number + " " + C;
    case 9:
      return "-" + C + " " + Number;
    case 10:
      return Number + " " + C + "-";
    case 11:
      return C + " " + Number + "-";
    case 12:
      return C + " -" + Number;
    case 13:
      return Number + "- " + C;
    case 14:
      return "(" + C + " " + Number + ")";
    case 15:
      return "(" + Number + " " + C + ")";
    default:
      return "(" + C + Number + ")";
  }
}

std::string FormatFixed(long double Value, int Decimals, int Width) {
  bool Negative = false;
  std::string Digits = FixedDigits(Value, Decimals, Negative);
  char Separator = Env().Regional().DecimalSeparator;
  if (Separator != '.')
    for (char& C : Digits)
      if (C == '.') C = Separator;
  if (Negative) Digits.insert(Digits.begin(), '-');
  if (Width > 1000) Width = 1000;
  if (static_cast<int>(Digits.size()) < Width)
    Digits.insert(0, static_cast<size_t>(Width) - Digits.size(), ' ');
  return Digits;
}

// ---------------------------------------------------------------- start-up

void UtilsInitialization() {
  if (ErrorList == nullptr) ErrorList = new TError;
  ShortDateFormat = "mm/dd/yyyy";
  LongDateFormat = "mm/dd/yyyy hh:nn:ss AM/PM";
}

void UtilsFinalization() {
  delete ErrorList;
  ErrorList = nullptr;
  AppDir.clear();
}

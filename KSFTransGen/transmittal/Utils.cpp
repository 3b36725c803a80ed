#include "Utils.h"

TError* ErrorList = nullptr;
std::string AppDir;
int32_t ScreenDPI = 0;
std::string ShortDateFormat;
std::string LongDateFormat;

void TError::Clear() { Messages.clear(); }
void TError::Add(const std::string& Message) { Messages.push_back(Message); }
bool TError::IsEmpty() const { return Messages.empty(); }
void TError::Show() { Env().ShowMessages(Messages); }

int32_t Min(int32_t A, int32_t B) { return A < B ? A : B; }
bool FloatEquals(long double A, long double B) { return A - B < 0.0001L && B - A < 0.0001L; }
bool FloatDiffers(long double A, long double B) { return A - B > 0.0001L || B - A > 0.0001L; }
double RoundToFactor(double Value, long double) { return Value; }
bool ContainsNoDigit(const std::string& Text) {
  for (char C : Text)
    if (C >= '0' && C <= '9') return false;
  return true;
}
std::string MonthName(int) { return {}; }
std::string FormatAmount(const std::string& Text) { return Text; }
bool IsValidYear(const std::string&) { return false; }
std::string FormatSSN(const std::string& Text) { return Text; }
std::string Trim(const std::string& Text) { return Text; }
std::string UpperCase(const std::string& Text) { return Text; }
std::string FormatMoney(long double) { return {}; }
std::string FormatFixed(long double, int, int) { return {}; }
void UtilsInitialization() { ErrorList = new TError; }
void UtilsFinalization() {
  delete ErrorList;
  ErrorList = nullptr;
}

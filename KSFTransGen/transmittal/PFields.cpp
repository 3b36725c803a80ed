#include "PFields.h"

#include "Utils.h"

TField::TField(const std::string& Name, int32_t Start, int32_t Length)
    : Start(Start), Length(Length), Name(Name) {}
void TField::WriteIntegerText(char*, int32_t) const {}
bool TField::IsAlphaText(const char*) const { return false; }
bool TField::IsAlphaNumText(const char*) const { return false; }
bool TField::IsInteger(const char*) const { return false; }
bool TField::IsValidDate(const char*) const { return false; }
std::string TField::Raw(const char* Buffer) const {
  return std::string(Buffer + Start - 1, static_cast<size_t>(Length));
}
std::string TField::Trimmed(const char* Buffer) const { return Trim(Raw(Buffer)); }

#define KSF_STUB_FIELD(C)                                                       \
  std::string C::GetAsString(const char* B) const { return Raw(B); }           \
  TDateTime C::GetAsDateTime(const char*) const { return NoDateValue; }         \
  int32_t C::GetAsInteger(const char*) const { return 0; }                      \
  double C::GetAsFloat(const char*) const { return 0; }                         \
  void C::SetAsString(char*, const std::string&) const {}                      \
  void C::SetAsDateTime(char*, TDateTime) const {}                             \
  void C::SetAsInteger(char*, int32_t) const {}                                \
  void C::SetAsFloat(char*, double) const {}                                   \
  TVariant C::GetAsVariant(const char*) const { return {}; }                   \
  void C::SetAsVariant(char*, const TVariant&) const {}                        \
  bool C::IsBlank(const char*) const { return true; }                          \
  int C::Compare(const char*, const char*) const { return 0; }                 \
  void C::Clear(char* B) const {                                               \
    for (int32_t i = 0; i < Length; ++i) B[Start - 1 + i] = ' ';                \
  }
KSF_STUB_FIELD(TStringField)
KSF_STUB_FIELD(TStdDateField)
KSF_STUB_FIELD(TDoubleField)

TDoubleField::TDoubleField(const std::string& Name, int32_t Scale, int32_t Start, int32_t Length)
    : TField(Name, Start, Length), Scale(Scale) {}

std::string MakeDateDigits(uint16_t, uint16_t, uint16_t) { return "00000000"; }
bool IsDateInRange(TDateTime) { return true; }
bool TryStrToInt(const std::string&, int32_t&) { return false; }
bool TryStrToFloat(const std::string&, long double&) { return false; }
bool TryStrToFloat(const std::string&, double&) { return false; }
bool TryStrToDate(const std::string&, TDateTime&) { return false; }
bool TryStrToDateTime(const std::string&, TDateTime&) { return false; }

static bool IsLeap(int Y) { return (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0; }
bool IsValidCalendarDate(int Year, int Month, int Day) {
  static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1) return false;
  return Day <= Days[Month - 1] + ((Month == 2 && IsLeap(Year)) ? 1 : 0);
}
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value) {
  if (!IsValidCalendarDate(Year, Month, Day)) return false;
  // days from civil (Howard Hinnant)
  int y = Year - (Month <= 2 ? 1 : 0);
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int doy = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  long long Days = static_cast<long long>(era) * 146097 + doe - 719468;  // from 1970-01-01
  Value = static_cast<double>(Days + 25569);
  return true;
}
TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime Value = 0;
  if (!TryEncodeDate(Year, Month, Day, Value)) throw Exception("Invalid argument to date encode");
  return Value;
}
void DecodeDate(TDateTime, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
  Year = 1899;
  Month = 12;
  Day = 30;
}
std::string DateToStr(TDateTime) { return {}; }
int CurrentYear() { return 2004; }

// Any bytes through the four parses and through every field operation: nothing
// may crash, raise for bad data, or write outside the field's columns.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "PFields.h"
#include "TextParse.h"
#include "Utils.h"

namespace {

constexpr int32_t Start = 9, Width = 11, LineLength = 32;

void CheckNeighbours(const char* Line) {
  for (int32_t i = 0; i < LineLength; ++i)
    if ((i < Start - 1 || i >= Start - 1 + Width) && Line[i] != '#') __builtin_trap();
}

void Exercise(const TField& Field, const std::string& Text, double Number) {
  char Line[LineLength];
  std::memset(Line, '#', sizeof Line);
  std::memcpy(Line + Start - 1, Text.data(), Text.size() < Width ? Text.size() : Width);
  (void)Field.GetAsString(Line);
  (void)Field.GetAsDateTime(Line);
  (void)Field.GetAsInteger(Line);
  (void)Field.GetAsFloat(Line);
  (void)Field.GetAsVariant(Line);
  (void)Field.IsBlank(Line);
  (void)Field.IsAlphaText(Line);
  (void)Field.IsAlphaNumText(Line);
  (void)Field.IsInteger(Line);
  (void)Field.IsValidDate(Line);
  (void)Field.Compare(Line, Line);
  try {
    Field.SetAsString(Line, Text);
    CheckNeighbours(Line);
    Field.SetAsFloat(Line, Number);
    CheckNeighbours(Line);
    Field.SetAsDateTime(Line, Number);
    CheckNeighbours(Line);
  } catch (const Exception&) {
    // Only a number too large for its field is refused, and the line stays as it was.
    CheckNeighbours(Line);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static bool Started = [] {
    UtilsInitialization();
    return true;
  }();
  (void)Started;
  std::string Text(reinterpret_cast<const char*>(Data), Size);

  int32_t Int = 0;
  long double Extended = 0;
  double Number = 0;
  TDateTime Day = 0;
  TryStrToInt(Text, Int);
  TryStrToFloat(Text, Extended);
  TryStrToFloat(Text, Number);
  TryStrToDate(Text, Day);
  TryStrToDateTime(Text, Day);
  (void)FormatAmount(Text);
  (void)IsValidYear(Text);
  (void)FormatMoney(Extended);
  (void)FormatFixed(Extended, 2, 10);
  (void)DateToStr(Number);

  static const TStringField TextField("Text", Start, Width);
  static const TStdDateField DateField("Date", Start, 8);
  static const TDoubleField AmountField("Amount", 100, Start, Width);
  static const TDoubleField NarrowField("Narrow", 100, Start, 5);
  Exercise(TextField, Text, Number);
  Exercise(DateField, Text, Number);
  Exercise(AmountField, Text, Number);
  Exercise(NarrowField, Text, Number);
  return 0;
}

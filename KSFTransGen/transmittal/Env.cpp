#include "Env.h"

#include <locale.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <clocale>
#include <cmath>
#include <ctime>

#include "Calendar.h"

namespace {

// A single-byte separator from the locale; multi-byte or empty ones are not
// representable in our single-byte text, so the given fallback stands.
char SingleByte(const char* Text, char Fallback) {
  if (Text == nullptr || Text[0] == '\0' || Text[1] != '\0') return Fallback;
  if (static_cast<unsigned char>(Text[0]) >= 0x80) return Fallback;
  return Text[0];
}

// A grouping separator: multi-byte ones (the narrow no-break space of many
// locales) become a plain blank, an empty one leaves the fallback.
char GroupSeparator(const char* Text, char Fallback) {
  if (Text == nullptr || Text[0] == '\0') return Fallback;
  if (static_cast<unsigned char>(Text[0]) >= 0x80) return ' ';
  return Text[1] == '\0' ? Text[0] : Fallback;
}

// The numbering of Env.h from the C library's description of negative amounts.
int NegativeForm(bool SymbolFirst, bool Space, int SignPosition) {
  switch (SignPosition) {
    case 0:
      return SymbolFirst ? (Space ? 14 : 0) : (Space ? 15 : 4);
    case 1:
      return SymbolFirst ? (Space ? 9 : 1) : (Space ? 8 : 5);
    case 2:
      return SymbolFirst ? (Space ? 11 : 3) : (Space ? 10 : 7);
    case 3:
      return SymbolFirst ? (Space ? 9 : 1) : (Space ? 13 : 6);
    case 4:
      return SymbolFirst ? (Space ? 12 : 2) : (Space ? 10 : 7);
    default:
      return 0;
  }
}

TRegionalSettings ReadRegionalSettings() {
  TRegionalSettings Settings;  // US English unless the locale says otherwise
  // Read the user's locale through a locale object of our own, so that the
  // process-wide C locale (and with it every printf and strtod) stays as it is.
  locale_t User = newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, "", static_cast<locale_t>(0));
  if (User == static_cast<locale_t>(0)) return Settings;
  locale_t Previous = uselocale(User);
  const lconv* L = localeconv();
  Settings.DecimalSeparator = SingleByte(L->decimal_point, '.');
  bool HasCurrency = L->currency_symbol != nullptr && L->currency_symbol[0] != '\0' &&
                     L->frac_digits != CHAR_MAX && L->p_cs_precedes != CHAR_MAX &&
                     L->p_sep_by_space != CHAR_MAX && L->n_cs_precedes != CHAR_MAX &&
                     L->n_sep_by_space != CHAR_MAX && L->n_sign_posn != CHAR_MAX;
  if (HasCurrency) {
    Settings.CurrencyString = L->currency_symbol;
    Settings.ThousandSeparator =
        GroupSeparator(L->mon_thousands_sep, GroupSeparator(L->thousands_sep, ','));
    Settings.CurrencyDecimals = L->frac_digits;
    bool Precedes = L->p_cs_precedes != 0, Space = L->p_sep_by_space == 1;
    Settings.CurrencyFormat = Precedes ? (Space ? 2 : 0) : (Space ? 3 : 1);
    Settings.NegCurrFormat =
        NegativeForm(L->n_cs_precedes != 0, L->n_sep_by_space == 1, L->n_sign_posn);
  }
  uselocale(Previous);
  freelocale(User);
  return Settings;
}

TEnv& DefaultEnv() {
  static TEnv Default;
  return Default;
}

TEnv* CurrentEnv = nullptr;

}  // namespace

TDateTime TEnv::Now() {
  using namespace std::chrono;
  auto Clock = system_clock::now();
  std::time_t Seconds = system_clock::to_time_t(Clock);
  std::tm Local{};
  localtime_r(&Seconds, &Local);
  auto Millis = duration_cast<milliseconds>(Clock.time_since_epoch()).count() % 1000;
  if (Millis < 0) Millis += 1000;
  TDateTime Day = 0;
  if (!TryEncodeDate(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, Day)) return 0;
  double Time =
      (Local.tm_hour * 3600.0 + Local.tm_min * 60.0 + (Local.tm_sec > 59 ? 59 : Local.tm_sec)) +
      static_cast<double>(Millis) / 1000.0;
  return Day + Time / 86400.0;
}

const TRegionalSettings& TEnv::Regional() {
  static const TRegionalSettings Settings = ReadRegionalSettings();
  return Settings;
}

void TEnv::Beep() {}

int EscapeAnswer(TMsgButtons Buttons) {
  switch (Buttons) {
    case TMsgButtons::OK:
      return mrOk;
    case TMsgButtons::YesNo:
      return mrNo;
    case TMsgButtons::YesNoCancel:
      return mrCancel;
  }
  return mrOk;
}

int TEnv::Message(const TMessageRequest& Request) { return EscapeAnswer(Request.Buttons); }

void TEnv::ShowMessages(const std::vector<std::string>&) {}

void TEnv::OpenHelp() {}

bool TEnv::OpenTextFile(const std::string&) { return false; }

std::string TEnv::ProgramPath() {
  char Path[4096];
  ssize_t N = readlink("/proc/self/exe", Path, sizeof Path);
  if (N <= 0 || static_cast<size_t>(N) >= sizeof Path) return {};
  return std::string(Path, static_cast<size_t>(N));
}

TEnv& Env() { return CurrentEnv != nullptr ? *CurrentEnv : DefaultEnv(); }

TEnv* SetEnv(TEnv* NewEnv) {
  TEnv* Previous = &Env();
  CurrentEnv = NewEnv;
  return Previous;
}

TDateTime Now() { return Env().Now(); }

TDateTime Date() {
  // Day numbers before day 0 carry the time of day away from zero, so truncation
  // toward zero gives the date at midnight in both directions.
  return std::trunc(Env().Now());
}

int CurrentYear() {
  uint16_t Year, Month, Day;
  DecodeDate(Date(), Year, Month, Day);
  return Year;
}

void Beep() { Env().Beep(); }

int MessageBox(const std::string& Text, const std::string& Caption, TMsgButtons Buttons,
               TMsgIcon Icon) {
  return Env().Message(
      {.Kind = TMsgKind::MessageBox, .Caption = Caption, .Text = Text, .Buttons = Buttons, .Icon = Icon});
}

const char* const KSFCaption = "KSF Transmittal Software";

void Tell(const std::string& Text, TMsgIcon Icon) { MessageBox(Text, KSFCaption, TMsgButtons::OK, Icon); }

void Refuse(const std::string& Text, TMsgIcon Icon) {
  Beep();
  Tell(Text, Icon);
}

bool Ask(const std::string& Text, TMsgIcon Icon, TBeep Sound) {
  if (Sound == TBeep::First) Beep();
  return MessageBox(Text, KSFCaption, TMsgButtons::YesNo, Icon) == mrYes;
}

int AskYesNoCancel(const std::string& Text, const std::string& Caption) {
  return MessageBox(Text, Caption, TMsgButtons::YesNoCancel, TMsgIcon::None);
}

int Confirm(const std::string& Text) {
  return Env().Message({.Kind = TMsgKind::ConfirmDialog,
                        .Caption = "Confirm",
                        .Text = Text,
                        .Buttons = TMsgButtons::YesNoCancel,
                        .Icon = TMsgIcon::Question});
}

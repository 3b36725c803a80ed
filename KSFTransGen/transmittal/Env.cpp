#include "Env.h"

TDateTime TEnv::Now() { return 0; }
const TRegionalSettings& TEnv::Regional() {
  static TRegionalSettings Settings;
  return Settings;
}
void TEnv::Beep() {}
int TEnv::Message(const TMessageRequest& Request) {
  switch (Request.Buttons) {
    case TMsgButtons::OK: return mrOk;
    case TMsgButtons::YesNo: return mrNo;
    case TMsgButtons::YesNoCancel: return mrCancel;
  }
  return mrOk;
}
void TEnv::ShowMessages(const std::vector<std::string>&) {}
void TEnv::OpenHelp() {}
void TEnv::OpenTextFile(const std::string&) {}
std::string TEnv::ProgramPath() { return {}; }

namespace {
TEnv& DefaultEnv() {
  static TEnv Default;
  return Default;
}
TEnv* CurrentEnv = nullptr;
}  // namespace

TEnv& Env() { return CurrentEnv ? *CurrentEnv : DefaultEnv(); }
TEnv* SetEnv(TEnv* NewEnv) {
  TEnv* Previous = CurrentEnv ? CurrentEnv : &DefaultEnv();
  CurrentEnv = NewEnv;
  return Previous;
}
TDateTime Now() { return Env().Now(); }
TDateTime Date() { return static_cast<TDateTime>(static_cast<long long>(Env().Now())); }
void Beep() { Env().Beep(); }
int MessageBox(const std::string& Text, const std::string& Caption, TMsgButtons Buttons,
               TMsgIcon Icon) {
  TMessageRequest Request;
  Request.Kind = TMsgKind::MessageBox;
  Request.Caption = Caption;
  Request.Text = Text;
  Request.Buttons = Buttons;
  Request.Icon = Icon;
  return Env().Message(Request);
}

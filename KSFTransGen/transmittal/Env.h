#pragma once
// The one seam between the program and everything outside it: the clock, the
// regional settings, the beep, message boxes, the message window, help and the
// text viewer. The program installs the real environment (the editor routes it
// to Qt); tests install a fake that fixes the date, records every beep and box
// and answers the boxes. Nothing in the core may reach the outside any other way.

#include <string>
#include <vector>

#include "Calendar.h"

// Regional settings that shape amounts in messages, grids and reports.
struct TRegionalSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  std::string CurrencyString = "$";
  int CurrencyDecimals = 2;
  // Where the symbol stands for positive amounts: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  int CurrencyFormat = 0;
  // The negative form, numbered as the classic regional-settings table:
  // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-",
  // 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $", 14 "($ 1)", 15 "(1 $)".
  int NegCurrFormat = 0;
};

// Buttons of a message box.
enum class TMsgButtons { OK, YesNo, YesNoCancel };

// Icon of a message box.
enum class TMsgIcon { None, Information, Warning, Error, Question };

// Which kind of window asks: a plain message box with the given caption, the
// toolkit's standard confirmation dialog, its plain message dialog (captioned
// with the application title), or the default error box for an error that no
// handler caught (captioned with the application title).
enum class TMsgKind { MessageBox, ConfirmDialog, MessageDialog, ErrorBox };

// Answers, numbered as the toolkit's modal results.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
};

// The answer of a box closed without a button: what Esc chooses (OK for an OK
// box, No for Yes/No, Cancel for Yes/No/Cancel).
int EscapeAnswer(TMsgButtons Buttons);

struct TMessageRequest {
  TMsgKind Kind = TMsgKind::MessageBox;
  std::string Caption;
  std::string Text;
  TMsgButtons Buttons = TMsgButtons::OK;
  TMsgIcon Icon = TMsgIcon::None;
};

class TEnv {
 public:
  virtual ~TEnv() = default;

  // The local date and time as a day number. The default reads the system clock.
  virtual TDateTime Now();
  // The regional settings. The default reads LC_NUMERIC and LC_MONETARY once;
  // a locale without a currency (the C locale) gives "$1,234.56" / "($1,234.56)".
  virtual const TRegionalSettings& Regional();
  // The system beep. The default does nothing.
  virtual void Beep();
  // Shows a box and returns the answer (a TModalResult). The default shows
  // nothing and gives EscapeAnswer.
  virtual int Message(const TMessageRequest& Request);
  // Shows the collected messages in the message window, modally. The default does nothing.
  virtual void ShowMessages(const std::vector<std::string>& Messages);
  // Opens the contents of the program's help. The default does nothing.
  virtual void OpenHelp();
  // Opens a text file in the user's text viewer without waiting for it. True
  // when a viewer was started; false when none could be, so that the caller can
  // tell the user where the file is. The default starts nothing.
  virtual bool OpenTextFile(const std::string& Path);
  // The full path of the running program (for AppDir). The default reads
  // /proc/self/exe; empty when that cannot be read.
  virtual std::string ProgramPath();
};

// The environment in force. Never null: without an installed one, a default TEnv.
TEnv& Env();

// Installs an environment (not owned; it must outlive its use) and returns the
// previous one. Passing nullptr restores the default.
TEnv* SetEnv(TEnv* NewEnv);

// Convenience wrappers over Env().
TDateTime Now();
// Today at midnight.
TDateTime Date();
// Today's year.
int CurrentYear();
void Beep();
// A message box with the given caption (TMsgKind::MessageBox).
int MessageBox(const std::string& Text, const std::string& Caption, TMsgButtons Buttons,
               TMsgIcon Icon);

// ---- the program's own boxes: one home for every form and the core ----
// Every box the program shows in its own name carries this caption.
extern const char* const KSFCaption;
// Whether a box is announced by the system beep.
enum class TBeep { No, First };
// An OK box captioned KSFCaption, without a beep: a notice.
void Tell(const std::string& Text, TMsgIcon Icon = TMsgIcon::None);
// A beep, then an OK box captioned KSFCaption: how the program turns an action
// down or says that something went wrong.
void Refuse(const std::string& Text, TMsgIcon Icon = TMsgIcon::None);
// A Yes/No box captioned KSFCaption, without a beep unless asked; true for Yes
// (Esc answers No).
bool Ask(const std::string& Text, TMsgIcon Icon = TMsgIcon::Question, TBeep Sound = TBeep::No);
// The toolkit's confirmation dialog ("Confirm", question icon) with Yes, No and
// Cancel; returns the answer (Esc: mrCancel).
int Confirm(const std::string& Text);
// A Yes/No/Cancel question captioned by the form that asks (the member detail
// form's "Member Detail"), without icon or beep; returns the answer (Esc: mrCancel).
int AskYesNoCancel(const std::string& Text, const std::string& Caption);

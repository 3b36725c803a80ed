#pragma once
// The real environment on Qt: message boxes, the beep, help, the text viewer and
// the message window, behind the seam every unit calls (Env()). Also the routine
// that runs an event handler so that an error nobody caught reaches the default
// error box and the run goes on, and the hourglass cursor.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Env.h"

// The application title ("KSF Transmittal Generator" once the start-up sets it):
// the caption of the plain message dialog and of the default error box.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& Title);

class TQtEnv : public TEnv {
 public:
  // Installs itself as the environment; the destructor restores the previous one.
  TQtEnv();
  ~TQtEnv() override;
  TQtEnv(const TQtEnv&) = delete;
  TQtEnv& operator=(const TQtEnv&) = delete;

  void Beep() override;
  int Message(const TMessageRequest& Request) override;
  // Forwards to the handler the message window registers; nothing without one.
  void ShowMessages(const std::vector<std::string>& Messages) override;
  void OpenHelp() override;
  // Opens the file in the desktop's viewer for text files; returns at once, false
  // when the desktop has nothing that could be started for it.
  bool OpenTextFile(const std::string& Path) override;
  std::string ProgramPath() override;

  // The message window registers how it shows the messages (modally).
  std::function<void(const std::vector<std::string>&)> MessagesHandler;

 private:
  TEnv* FPrevious;
};

// Shows the default error box (captioned with the application title) for an
// error that no handler caught.
void ShowException(const std::string& Message);

// Runs an event handler: EAbort ends it silently; any other error reaches the
// default error box; the caller goes on either way. Returns false when the handler
// ended by an error (EAbort included).
bool RunHandler(const std::function<void()>& Handler);

// Runs an event handler that a control holds, as RunHandler does. The handler may
// open a box, refresh a grid or close a form, and so destroy the control that
// holds it: it runs from a copy, which lives until it returns. The caller touches
// the control afterwards only when it is still there (a QPointer tells).
template <typename... Params, typename... Args>
bool CallHandler(const std::function<void(Params...)>& Handler, Args&&... Arguments) {
  if (!Handler) return true;
  const std::function<void(Params...)> Own = Handler;
  return RunHandler([&]() { Own(std::forward<Args>(Arguments)...); });
}

// The screen cursor, as one value for the whole program (not a stack).
enum TCursor { crDefault = 0, crHourGlass = -11 };
TCursor ScreenCursor();
void SetScreenCursor(TCursor Cursor);

// Shows the hourglass for its lifetime and puts back the cursor that was shown
// before, on every way out.
class THourglass {
 public:
  THourglass();
  ~THourglass();
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;

 private:
  TCursor FPrevious;
};

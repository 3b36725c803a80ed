#pragma once
// A fake environment for tests: a fixed clock, explicit regional settings, and a
// record of every beep, box, message window, help request and opened file. Boxes
// are answered from a queue; when the queue is empty, the default answer is used.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Env.h"

class TFakeEnv : public TEnv {
 public:
  // Installs itself as the environment; the destructor restores the previous one.
  TFakeEnv();
  ~TFakeEnv() override;

  // Sets the clock to the given date at midnight (plus an optional time of day).
  void SetToday(int Year, int Month, int Day, double TimeOfDay = 0);

  TDateTime NowValue = 0;
  TRegionalSettings Settings;  // US English by default
  int Beeps = 0;
  std::vector<TMessageRequest> Boxes;
  std::deque<int> Answers;     // answers for the next boxes, first first
  int DefaultAnswer = -1;      // -1: EscapeAnswer of the box's buttons
  std::vector<std::vector<std::string>> ShownMessages;
  // Runs while each box or message window is up, before it is answered: a test
  // sets it to do to the program what a real modal window does meanwhile.
  std::function<void()> WhileShown;
  int HelpOpened = 0;
  std::vector<std::string> OpenedFiles;
  // Whether a text viewer starts for a file opened (there is none on the machine when false).
  bool ViewerStarts = true;
  std::string ProgramPathValue;

  TDateTime Now() override;
  const TRegionalSettings& Regional() override;
  void Beep() override;
  int Message(const TMessageRequest& Request) override;
  void ShowMessages(const std::vector<std::string>& Messages) override;
  void OpenHelp() override;
  bool OpenTextFile(const std::string& Path) override;
  std::string ProgramPath() override;

  // The texts of the boxes shown so far, in order.
  std::vector<std::string> BoxTexts() const;

 private:
  TEnv* FPrevious;
};

#include "FakeEnv.h"

#include "Calendar.h"

TFakeEnv::TFakeEnv() : FPrevious(SetEnv(this)) { SetToday(2004, 9, 15); }

TFakeEnv::~TFakeEnv() { SetEnv(FPrevious); }

void TFakeEnv::SetToday(int Year, int Month, int Day, double TimeOfDay) {
  NowValue = EncodeDate(Year, Month, Day) + TimeOfDay;
}

TDateTime TFakeEnv::Now() { return NowValue; }

const TRegionalSettings& TFakeEnv::Regional() { return Settings; }

void TFakeEnv::Beep() { ++Beeps; }

int TFakeEnv::Message(const TMessageRequest& Request) {
  Boxes.push_back(Request);
  if (WhileShown) WhileShown();
  if (!Answers.empty()) {
    int Answer = Answers.front();
    Answers.pop_front();
    return Answer;
  }
  if (DefaultAnswer >= 0) return DefaultAnswer;
  return EscapeAnswer(Request.Buttons);
}

void TFakeEnv::ShowMessages(const std::vector<std::string>& Messages) {
  ShownMessages.push_back(Messages);
  if (WhileShown) WhileShown();
}

void TFakeEnv::OpenHelp() { ++HelpOpened; }

bool TFakeEnv::OpenTextFile(const std::string& Path) {
  OpenedFiles.push_back(Path);
  return ViewerStarts;
}

std::string TFakeEnv::ProgramPath() { return ProgramPathValue; }

std::vector<std::string> TFakeEnv::BoxTexts() const {
  std::vector<std::string> Texts;
  for (const TMessageRequest& Box : Boxes) Texts.push_back(Box.Text);
  return Texts;
}

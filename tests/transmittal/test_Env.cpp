// The environment seam: installing and restoring, the wrappers, and the defaults
// of the real environment where they can be checked without a screen.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "Calendar.h"
#include "FakeEnv.h"
#include "PFields.h"
#include "Utils.h"

namespace {

TEST(EnvSeam, InstallingAndRestoring) {
  TEnv* Default = &Env();
  {
    TFakeEnv Outer;
    EXPECT_EQ(&Env(), &Outer);
    {
      TFakeEnv Inner;
      EXPECT_EQ(&Env(), &Inner);
    }
    EXPECT_EQ(&Env(), &Outer);
  }
  EXPECT_EQ(&Env(), Default);
  TFakeEnv Fake;
  EXPECT_EQ(SetEnv(nullptr), &Fake);
  EXPECT_EQ(&Env(), Default) << "null restores the default";
  SetEnv(&Fake);
}

TEST(EnvSeam, WrappersGoThroughTheInstalledEnvironment) {
  TFakeEnv Fake;
  Fake.SetToday(2004, 9, 15, 0.75);
  EXPECT_DOUBLE_EQ(Now(), EncodeDate(2004, 9, 15) + 0.75);
  EXPECT_EQ(Date(), EncodeDate(2004, 9, 15));
  Fake.NowValue = NoDateValue - 0.75;  // before day 0 the time counts away from zero
  EXPECT_EQ(Date(), NoDateValue);
  Beep();
  EXPECT_EQ(Fake.Beeps, 1);
  Fake.Answers.push_back(mrYes);
  EXPECT_EQ(
      MessageBox("Exit now?", "KSF Transmittal Software", TMsgButtons::YesNo, TMsgIcon::Question),
      mrYes);
  ASSERT_EQ(Fake.Boxes.size(), 1u);
  EXPECT_EQ(Fake.Boxes[0].Kind, TMsgKind::MessageBox);
  EXPECT_EQ(Fake.Boxes[0].Caption, "KSF Transmittal Software");
  EXPECT_EQ(Fake.Boxes[0].Text, "Exit now?");
  EXPECT_EQ(Fake.Boxes[0].Buttons, TMsgButtons::YesNo);
  EXPECT_EQ(Fake.Boxes[0].Icon, TMsgIcon::Question);
}

TEST(DefaultEnv, AnswersBoxesWithTheSafeChoice) {
  TEnv Real;
  TMessageRequest Request;
  Request.Buttons = TMsgButtons::OK;
  EXPECT_EQ(Real.Message(Request), mrOk);
  Request.Buttons = TMsgButtons::YesNo;
  EXPECT_EQ(Real.Message(Request), mrNo);
  Request.Buttons = TMsgButtons::YesNoCancel;
  EXPECT_EQ(Real.Message(Request), mrCancel);
}

TEST(DefaultEnv, ClockIsTheLocalDateAsADayNumber) {
  TEnv Real;
  std::time_t T = std::time(nullptr);
  std::tm Local{};
  localtime_r(&T, &Local);
  TDateTime Now = Real.Now();
  uint16_t Y, M, D;
  DecodeDate(Now, Y, M, D);
  // Across midnight the two readings may differ by a day; otherwise they agree.
  TDateTime Expected = EncodeDate(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday);
  EXPECT_LE(std::fabs(std::trunc(Now) - Expected), 1);
  double Seconds = (Now - std::trunc(Now)) * 86400;
  double LocalSeconds = Local.tm_hour * 3600 + Local.tm_min * 60 + Local.tm_sec;
  if (std::trunc(Now) == Expected) {
    EXPECT_NEAR(Seconds, LocalSeconds, 2);
  }
}

TEST(DefaultEnv, ProgramPathIsThisTestProgram) {
  TEnv Real;
  std::string Path = Real.ProgramPath();
  ASSERT_FALSE(Path.empty());
  EXPECT_EQ(Path.front(), '/');
  EXPECT_NE(Path.find("test_Env"), std::string::npos) << Path;
}

// The settings are read once per process, so the C locale is tried in a fresh one.
TEST(DefaultEnvDeathTest, LocaleWithoutCurrencyGivesUsEnglishMoney) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("LC_ALL", "C", 1);
        bool Ok = Env().Regional().DecimalSeparator == '.' &&
                  Env().Regional().CurrencyString == "$" && FormatMoney(1234.56L) == "$1,234.56" &&
                  FormatMoney(-1234.56L) == "($1,234.56)";
        std::exit(Ok ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(DefaultEnv, RegionalSettingsAreUsable) {
  // Whatever the machine's locale, the settings must make sense for the formatters,
  // and reading them must not change the process-wide numeric locale.
  TEnv Real;
  const TRegionalSettings& R = Real.Regional();
  EXPECT_NE(R.DecimalSeparator, '\0');
  EXPECT_NE(R.DecimalSeparator, R.ThousandSeparator);
  EXPECT_FALSE(R.CurrencyString.empty());
  EXPECT_GE(R.CurrencyDecimals, 0);
  EXPECT_LE(R.CurrencyDecimals, 10);
  EXPECT_GE(R.CurrencyFormat, 0);
  EXPECT_LE(R.CurrencyFormat, 3);
  EXPECT_GE(R.NegCurrFormat, 0);
  EXPECT_LE(R.NegCurrFormat, 15);
  EXPECT_EQ(&Real.Regional(), &R) << "read once";
  char Text[16];
  std::snprintf(Text, sizeof Text, "%.1f", 1.5);
  EXPECT_STREQ(Text, "1.5");
}

}  // namespace

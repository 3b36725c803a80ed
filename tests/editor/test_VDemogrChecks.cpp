// The member checks of the detail form: each check's exact message and where the
// focus goes, the order in which they run, and the values at their edges that
// pass. Every case starts from a saved member that passes, today 11/15/2004.

#include "CentBounds.h"
#include "DetailFormFixture.h"

namespace {

// "name=text" sets a box (by its name) or an amount row ("row3=8.01"), and
// "name~text" types it into the box and clears its second character; a text
// "{days:N}" is the date N days before today.
void Apply(TfrmMbrDetail* D, const QStringList& Settings) {
  for (const QString& Setting : Settings) {
    qsizetype Eq = 0;
    while (Eq < Setting.size() && Setting[Eq] != '=' && Setting[Eq] != '~') ++Eq;
    const QString Name = Setting.left(Eq);
    QString Text = Setting.mid(Eq + 1);
    if (Text.startsWith("{days:"))
      Text = QString::fromStdString(DateToStr(Date() - Text.mid(6, Text.size() - 7).toInt()));
    if (Setting[Eq] == '~') {
      // Typed, then the second character blanked as the clerk would (Delete
      // clears a position of a masked box without moving what follows).
      TMaskEdit* Box = D->findChild<TMaskEdit*>(Name);
      TypeInto(Box, Text.toStdString());
      Box->setCursorPosition(1);
      QTest::keyClick(Box, Qt::Key_Delete);
    } else if (Name.startsWith("row"))
      D->stgAmt->SetCells(1, Name.mid(3).toInt(), Text.toStdString());
    else
      D->findChild<TMaskEdit*>(Name)->SetText(Text.toStdString());
  }
}

// The field each row of the amounts grid is stored in.
const std::string* const AmountFields[] = {&fnSalaryPensionAmount, &fnSalaryEarnableAmount,
                                           &fnSalaryEarnableUnitsWorked, &fnContribEmployeePreTax,
                                           &fnContribEmployerPreTax};

// Presses and releases a key where the focus is at each moment, as a keyboard does.
void Stroke(Qt::Key Key) {
  QTest::keyPress(QApplication::focusWidget(), Key);
  QTest::keyRelease(QApplication::focusWidget(), Key);
}

}  // namespace

class TestVDemogrChecks : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void EachCheckTellsAndFocuses_data() {
    QTest::addColumn<QStringList>("Settings");
    QTest::addColumn<QString>("Message");
    QTest::addColumn<QString>("Focus");  // a box's name, or "rowN" of the amounts grid
    QTest::addColumn<char>("Page");  // 'D', 'C', or ' ' when the page stays (the contribution page)
    auto Row = [](const char* Name, QStringList S, const char* Message, const char* Focus,
                  char Page) {
      QTest::newRow(Name) << S << QString(Message) << QString(Focus) << Page;
    };
    Row("SSN too short", {"mskSSN=12345"}, "Invalid SSN : \"12345\"!", "mskSSN", ' ');
    Row("SSN of another member", {"mskSSN=222222222"}, "SSN 222-22-2222 is not unique!", "mskSSN",
        ' ');
    Row("last name missing", {"edtLastName="}, "The last name is required!", "edtLastName", ' ');
    Row("digit in last name", {"edtLastName=Sm1th"}, "Invalid last name : \"Sm1th\"!",
        "edtLastName", ' ');
    Row("first name missing", {"edtFirstName= "}, "The first name is required!", "edtFirstName",
        ' ');
    Row("first name", {"edtFirstName=Ann;"}, "Invalid first name : \"Ann;\"!", "edtFirstName", ' ');
    Row("middle name of blanks", {"edtMiddleName=  "}, "Invalid middle name : \"  \"!",
        "edtMiddleName", ' ');
    Row("address missing", {"edtAddress1="}, "Address is required!", "edtAddress1", 'D');
    Row("address", {"edtAddress1=12 Main St;"}, "Invalid address : \"12 Main St;\"!", "edtAddress1",
        'D');
    Row("address line 2 of blanks", {"edtAddress2= "}, "Invalid address line 2 : \" \"!",
        "edtAddress2", 'D');
    Row("city missing", {"edtCity="}, "The city is required!", "edtCity", 'D');
    Row("digit in city", {"edtCity=Troy2"}, "Invalid city : \"Troy2\"!", "edtCity", 'D');
    Row("ZIP missing", {"mskZip="}, "Invalid ZIP code : \"\"!", "mskZip", 'D');
    Row("ZIP short", {"mskZip=1220"}, "Invalid ZIP code : \"1220\"!", "mskZip", 'D');
    Row("ZIP+4 short", {"mskZip4=12"}, "Invalid ZIP (+4)  code : \"12\"!", "mskZip4", 'D');
    Row("effective date missing", {"edtEffDate="},
        "Invalid address effective date : \"  /  /    \"!", "edtEffDate", 'D');
    Row("birth date impossible", {"edtBirthDate=02/30/1970"},
        "Invalid birth date : \"02/30/1970\"!", "edtBirthDate", 'D');
    Row("birth date too recent", {"edtBirthDate={days:5474}"},
        "11/20/1989 is not a valid employee birth date!", "edtBirthDate", 'D');
    Row("birth date too old", {"edtBirthDate={days:43801}"},
        "12/13/1884 is not a valid employee birth date!", "edtBirthDate", 'D');
    Row("area code short", {"mskAreaCode=51"}, "Invalid phone area code : \"51\"!", "mskAreaCode",
        'D');
    Row("phone short", {"mskPhone=5551"}, "Invalid phone number : \"5551\"!", "mskPhone", 'D');
    Row("extension with a gap", {"mskPhoneExt~123"}, "Invalid phone extension : \"1 3\"!",
        "mskPhoneExt", 'D');
    Row("pensionable 0", {"row0=0"}, "Invalid pensionable compensation : \"0\"!", "row0", 'C');
    Row("earnable no number", {"row1=abc"}, "Invalid earnable compensation : \"abc\"!", "row1",
        'C');
    Row("pensionable above earnable", {"row1=999.99"},
        "Earnable compensation < pensionable compensation!", "row0", 'C');
    Row("FTE% 0", {"row2=0"}, "Invalid FTE% : \"0\"!", "row2", 'C');
    Row("FTE% below range", {"row2=0.5"}, "FTE% should be between 1.00 and 100.00", "row2", 'C');
    Row("FTE% off the pays", {"row0=50", "row1=100", "row2=52.01", "row3=3.5", "row4=0.63"},
        "FTE%:52.01 <> (pensionable / earnable)%:50.00!", "row2", 'C');
    Row("FTE% below the pays", {"row0=50", "row1=100", "row2=47.99", "row3=3.5", "row4=0.63"},
        "FTE%:47.99 <> (pensionable / earnable)%:50.00!", "row2", 'C');
    Row("FTE% a cent above 2 points over 80.00",
        {"row0=100.04", "row1=125.05", "row2=82.01", "row3=7", "row4=1.25"},
        "FTE%:82.01 <> (pensionable / earnable)%:80.00!", "row2", 'C');
    Row("regular off 7%", {"row0=100", "row1=100", "row3=8.01", "row4=1.25"},
        "\"Regular contribution($8.01) <> 7% from pensionable amount($7.00)", "row3", 'C');
    Row("regular a cent below 7% less 1.00", {"row0=102", "row1=102", "row3=6.13", "row4=1.28"},
        "\"Regular contribution($6.13) <> 7% from pensionable amount($7.14)", "row3", 'C');
    Row("regular 0", {"row3=0"}, "Invalid regular amount : \"0\"!", "row3", 'C');
    Row("health off 1.25%", {"row0=100", "row1=100", "row3=7", "row4=2.26"},
        "\"Health contribution($2.26) <> 1.25% from pensionable amount($1.25)", "row4", 'C');
    Row("voluntary empty", {"row5="}, "Invalid voluntary amount : \"\"!", "row5", 'C');
    Row("contracts no number", {"row6=x"}, "Invalid contracts amount : \"x\"!", "row6", 'C');
    Row("deductions above pensionable",
        {"row0=100", "row1=100", "row3=7", "row4=1.25", "row5=91.76"},
        "Deductions ($100.01) cannot be bigger than pensionable amount($100.00)!", "row5", 'C');
    Row("contract payments count in the deductions",
        {"row0=100", "row1=100", "row3=7", "row4=1.25", "row6=91.76"},
        "Deductions ($100.01) cannot be bigger than pensionable amount($100.00)!", "row5", 'C');
    Row("deductions a cent above, in cents that do not add up as doubles",
        {"row0=109.97", "row1=109.97", "row3=7.7", "row4=1.37", "row6=100.91"},
        "Deductions ($109.98) cannot be bigger than pensionable amount($109.97)!", "row5", 'C');
    // Only the first failure is told: the ZIP before the FTE%, even on the contribution page.
    Row("ZIP and FTE% both wrong", {"mskZip=1", "row2=0"}, "Invalid ZIP code : \"1\"!", "mskZip",
        'D');
  }
  void EachCheckTellsAndFocuses() {
    QFETCH(QStringList, Settings);
    QFETCH(QString, Message);
    QFETCH(QString, Focus);
    QFETCH(char, Page);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      D->stgAmt->SetRow(6);
      Apply(D, Settings);
      Env->Boxes.clear();
      Env->Beeps = 0;
      QVERIFY(!D->ValidateRecord());
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{Message.toStdString()});
      QCOMPARE(Env->Boxes[0].Caption, std::string("KSF Transmittal Software"));
      QCOMPARE(Env->Boxes[0].Icon, TMsgIcon::None);
      QCOMPARE(Env->Beeps, 1);
      QCOMPARE(D->pgcDetail->ActivePage(), Page == 'D' ? D->tbsDemogr : D->tbsContr);
      if (Focus.startsWith("row")) {
        QCOMPARE(D->stgAmt->Row(), Focus.mid(3).toInt());
      } else {
        QCOMPARE(QApplication::focusWidget()->objectName(), Focus);
      }
    });
  }

  void ValuesAtTheEdgesPass_data() {
    QTest::addColumn<QStringList>("Settings");
    auto Row = [](const char* Name, QStringList S) { QTest::newRow(Name) << S; };
    Row("optional boxes empty", {"edtMiddleName=", "edtAddress2=", "mskZip4=", "mskAreaCode=",
                                 "mskPhone=", "mskPhoneExt="});
    Row("names of punctuation",
        {"edtLastName=O'Neil-Smith", "edtFirstName=.", "edtMiddleName=.", "edtCity=."});
    Row("address characters", {"edtAddress1=#4, 12 Main St. & Co/'x'-1"});
    Row("birth date 15 years back", {"edtBirthDate={days:5475}"});
    Row("birth date 120 years back", {"edtBirthDate={days:43800}"});
    Row("FTE% 2 points above the pays",
        {"row0=50", "row1=100", "row2=52", "row3=3.5", "row4=0.63"});
    Row("FTE% 2 points below the pays",
        {"row0=50", "row1=100", "row2=48", "row3=3.5", "row4=0.63"});
    Row("FTE% at 1.00", {"row0=1", "row1=100", "row2=1", "row3=0.07", "row4=0.01"});
    Row("regular 1.00 below", {"row0=100", "row1=100", "row3=6", "row4=1.25"});
    Row("regular 1.00 above", {"row0=100", "row1=100", "row3=8", "row4=1.25"});
    Row("health at both ends", {"row0=100", "row1=100", "row3=7", "row4=0.25"});
    Row("health 1.00 above", {"row0=100", "row1=100", "row3=7", "row4=2.25"});
    Row("negative voluntary counts",
        {"row0=100", "row1=100", "row3=7", "row4=1.25", "row5=-10", "row6=101.75"});
    Row("deductions equal to pensionable",
        {"row0=100", "row1=100", "row3=7", "row4=1.25", "row5=91.75"});
    // Amounts exactly on a bound whose doubles land just outside it.
    Row("regular 1.00 above 7% of 102.00", {"row0=102", "row1=102", "row3=8.14", "row4=1.28"});
    Row("regular 1.00 below 7% of 102.00", {"row0=102", "row1=102", "row3=6.14", "row4=1.28"});
    Row("health 1.00 above 1.25% of 101.60",
        {"row0=101.6", "row1=101.6", "row3=7.11", "row4=2.27"});
    Row("health 1.00 below 1.25% of 102.40",
        {"row0=102.4", "row1=102.4", "row3=7.17", "row4=0.28"});
    Row("FTE% 2 points below 80.00",
        {"row0=100.04", "row1=125.05", "row2=78", "row3=7", "row4=1.25"});
    Row("FTE% 2 points above 62.50",
        {"row0=100.05", "row1=160.08", "row2=64.5", "row3=7", "row4=1.25"});
    Row("deductions equal to pensionable, made up by the contract payments",
        {"row0=100.1", "row1=100.1", "row3=7.01", "row4=1.25", "row6=91.84"});
    Row("deductions equal to pensionable of 109.97",
        {"row0=109.97", "row1=109.97", "row3=7.7", "row4=1.37", "row6=100.9"});
  }
  void ValuesAtTheEdgesPass() {
    QFETCH(QStringList, Settings);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Apply(D, Settings);
      Env->Boxes.clear();
      QVERIFY(D->ValidateRecord());
      QVERIFY(Env->Boxes.empty());
    });
  }

  // The form's amount checks and the file's validation reach the same verdict
  // on every bound and one cent beyond it. Every seventh cent of pay from 100.00
  // to 2,000.00: seven is prime to the 100 and 80 of the rates, so the pays go
  // through every way in which 7% and 1.25% of them fall between two cents.
  void AmountChecksAgreeWithTheFileToTheCent() {
    TTransShort File;
    TRecord* Member = AddMember(File);
    int Failures = 0;
    auto Judge = [&](const char* Rule, TCents P, TCents Value, bool Wanted, bool Form) {
      Env->Boxes.clear();
      ErrorList->Clear();
      const bool InFile = File.ValidateDetail(Member);
      if ((Form == Wanted && InFile == Wanted) || ++Failures > 10) return;
      qWarning("%s: P %lld, value %lld should %s; the form says %d, the file %d", Rule,
               static_cast<long long>(P), static_cast<long long>(Value),
               Wanted ? "pass" : "fail", Form, InFile);
    };
    for (TCents P = FirstPay; P <= LastPay; P += 7) {
      const double Pay = static_cast<double>(P) / 100;
      for (const bool Regular : {true, false}) {
        const TBounds B = Regular ? RegularBounds(P) : HealthBounds(P);
        for (auto [Value, Wanted] : {std::pair{B.Low, true}, std::pair{B.High, true},
                                     std::pair{B.Low - 1, false}, std::pair{B.High + 1, false}}) {
          SetPassingPays(Member, P, P);
          SetCents(Member, Regular ? fnContribEmployeePreTax : fnContribEmployerPreTax, Value);
          const std::string Text = CentsText(Value);
          const bool Form = Regular ? ValidateRegular(Text, Pay) : ValidateHealth(Text, Pay);
          Judge(Regular ? "regular" : "health", P, Value, Wanted, Form);
        }
      }
      const TCents E = EarnableFor(P);
      const TBounds B = FTEBounds(P, E);
      for (auto [Value, Wanted] : {std::pair{B.Low, true}, std::pair{B.High, true},
                                   std::pair{B.Low - 1, false}, std::pair{B.High + 1, false}}) {
        SetPassingPays(Member, P, E);
        SetCents(Member, fnSalaryEarnableUnitsWorked, Value);
        const bool Form = ValidateFTE(CentsText(Value), Pay, static_cast<double>(E) / 100);
        Judge("FTE%", P, Value, Wanted, Form);
      }
    }
    QCOMPARE(Failures, 0);
  }

  // An amount that must be above 0 is judged on the cents it is stored as, in the
  // form as in the file: below half a cent it is stored as 0.00 and fails its own
  // check with its row selected, instead of passing it and failing a later one.
  // The field rounds the typed number's double, and the double nearest 0.005
  // lies just above it: 0.005 is stored as 0.01 and passes, -0.005 as -0.01.
  // Each text is typed into its row with the keys and the form saved; the file's
  // validation of a member that stores the same text tells the same in its first
  // line.
  void AmountsBelowACentAreJudgedAsStored_data() {
    QTest::addColumn<int>("Row");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Message");
    QTest::addColumn<int>("Focus");
    QTest::addColumn<QString>("FileLine");  // after the member's SSN
    auto Row = [](const char* Name, int R, const char* Typed, const QString& Message, int Focus,
                  const QString& FileLine) {
      QTest::newRow(Name) << R << QString(Typed) << Message << Focus << FileLine;
    };
    const QString Zero = "\"      0.00\"!";
    const QString PensionMessage = "Invalid pensionable compensation : ";
    const QString FTEOff = "FTE%:100.00 <> (pensionable / earnable)%:0.00";
    Row("pensionable 0.004", 0, "0.004", PensionMessage + "\"0.004\"!", 0, PensionMessage + Zero);
    Row("pensionable -0.004", 0, "-0.004", PensionMessage + "\"-0.004\"!", 0,
        PensionMessage + Zero);
    Row("pensionable -0.005 is -0.01", 0, "-0.005", PensionMessage + "\"-0.005\"!", 0,
        PensionMessage + "\"     -0.01\"!");
    Row("pensionable 0.005 is 0.01", 0, "0.005", FTEOff + "!", 2, "\"" + FTEOff + "\"!");
    Row("pensionable 0.006 is 0.01", 0, "0.006", FTEOff + "!", 2, "\"" + FTEOff + "\"!");
    Row("pensionable 0.01", 0, "0.01", FTEOff + "!", 2, "\"" + FTEOff + "\"!");
    Row("earnable 0.004", 1, "0.004", "Invalid earnable compensation : \"0.004\"!", 1,
        "Invalid earnable compensation : " + Zero);
    Row("earnable 0.006 is 0.01", 1, "0.006", "Earnable compensation < pensionable compensation!",
        0, "\"Earnable compensation < pensionable compensation\"!");
    Row("FTE% 0.004", 2, "0.004", "Invalid FTE% : \"0.004\"!", 2,
        "Invalid FTE% : \"      0.00%\"!");
    Row("FTE% 0.006 is 0.01", 2, "0.006", "FTE% should be between 1.00 and 100.00", 2,
        "\"FTE% should be between 1.00 and 100.00\"!");
    Row("regular 0.004", 3, "0.004", "Invalid regular amount : \"0.004\"!", 3,
        "Invalid regular amount : " + Zero);
    Row("regular 0.006 is 0.01", 3, "0.006",
        "\"Regular contribution($0.01) <> 7% from pensionable amount($70.00)", 3,
        "\"Regular contribution($0.01) <> 7% from pensionable amount($70.00)\"!");
    Row("health 0.004", 4, "0.004", "Invalid health amount : \"0.004\"!", 4,
        "Invalid health amount : " + Zero);
    Row("health 0.005 is 0.01", 4, "0.005",
        "\"Health contribution($0.01) <> 1.25% from pensionable amount($12.50)", 4,
        "\"Health contribution($0.01) <> 1.25% from pensionable amount($12.50)\"!");
  }
  void AmountsBelowACentAreJudgedAsStored() {
    QFETCH(int, Row);
    QFETCH(QString, Typed);
    QFETCH(QString, Message);
    QFETCH(int, Focus);
    QFETCH(QString, FileLine);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      D->stgAmt->setFocus();
      D->stgAmt->SetRow(Row);
      // The first key opens the cell's editor, the others go to it.
      for (QChar C : Typed) QTest::keyClicks(QApplication::focusWidget(), QString(C));
      QCOMPARE(D->stgAmt->Cells(1, Row), Typed.toStdString());
      // On to the last row, so that the failing row is selected by the check.
      for (int R = Row; R < 6; ++R) Stroke(Qt::Key_Down);
      QCOMPARE(D->stgAmt->Row(), 6);
      Env->Boxes.clear();
      Env->Beeps = 0;
      D->bbnSave->click();
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{Message.toStdString()});
      QCOMPARE(Env->Beeps, 1);
      QCOMPARE(D->Mode, 'E');
      QCOMPARE(D->pgcDetail->ActivePage(), D->tbsContr);
      QCOMPARE(D->stgAmt->Row(), Focus);
    });
    TTransShort File;
    TRecord* Stored = AddMember(File);
    Stored->SetAsString(*AmountFields[Row], Typed.toStdString());
    ErrorList->Clear();
    QVERIFY(!File.ValidateDetail(Stored));
    QCOMPARE(QString::fromStdString(ErrorList->Messages.at(0)), "123-45-6789 : " + FileLine);
  }

  // The SSN may occur as often in the month's saved files as the member itself
  // accounts for: once for a saved member keeping its number, never for a new one.
  void SSNUniquenessAcrossTheMonth_data() {
    QTest::addColumn<bool>("NewMember");
    QTest::addColumn<int>("Occurrences");  // of 111111111 in the month's files
    QTest::addColumn<bool>("Passes");
    QTest::newRow("saved member, once") << false << 1 << true;
    QTest::newRow("saved member, twice") << false << 2 << false;
    QTest::newRow("new member, once") << true << 1 << false;
    QTest::newRow("new member, never") << true << 0 << true;
  }
  void SSNUniquenessAcrossTheMonth() {
    QFETCH(bool, NewMember);
    QFETCH(int, Occurrences);
    QFETCH(bool, Passes);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    // Amendment 1 of the month: another file of the month, searched too.
    Folder.Write("20041010.123", Occurrences == 2
                                     ? std::vector<TTestMember>{Member("111111111", "Adams")}
                                     : std::vector<TTestMember>{Member("999999999", "Zeta")});
    TOpenForm Form;
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20041000.123"));
    DETAIL(Form, NewMember, [&](TfrmMbrDetail* D) {
      if (NewMember) FillMember(D, Occurrences == 0 ? "555555555" : "111111111", "Young");
      if (NewMember && Occurrences == 0) Apply(D, {"mskSSN=111111112"});
      Env->Boxes.clear();
      QCOMPARE(D->ValidateRecord(), Passes);
      if (!Passes)
        QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"SSN 111-11-1111 is not unique!"});
    });
  }

  // The clerk blanks a saved member's SSN and types the same number again: it is
  // still the member's own number, not a second member with it.
  void OwnSSNRetypedIsNoDuplicate() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      const std::string Own = D->OldSSN;
      QCOMPARE(D->mskSSN->Text(), Own);
      TypeInto(D->mskSSN, Own);
      QCOMPARE(D->mskSSN->Text(), Own);
      QCOMPARE(D->Mode, 'E');
      TypeInto(D->edtFirstName, "Anne");
      QVERIFY(Env->Boxes.empty());
      D->bbnSave->click();
      QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
      QCOMPARE(D->Mode, 'B');
    });
    const std::string File = Folder.Read("20041000.123");
    QVERIFY(MemberLine(File, 1).find("Anne") != std::string::npos ||
            MemberLine(File, 2).find("Anne") != std::string::npos);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVDemogrChecks)
#include "test_VDemogrChecks.moc"

// The member detail form and the member record: what a saved member's line
// holds byte for byte, what a save leaves as it is on disk (codes no table row
// has, values no box can show), the name boxes' limits, and stepping through
// the visible members.

#include "DetailFormFixture.h"
#include "FailingDisk.h"
#include "HandEditFixture.h"

namespace {

// Overwrites bytes of the first member's line (1-based column) in a written file.
void Patch(const TTestFolder& Folder, const std::string& Name, int Column,
           const std::string& Bytes) {
  std::string File = Folder.Read(Name);
  File.replace(54 + static_cast<size_t>(Column - 1), Bytes.size(), Bytes);
  WriteBytes(Folder.Path(Name), File);
}

// One control the clerk changes in a member with hand-edit slips, and what the
// save must then write into the member's line.
struct TWriteBackCase {
  const char* Name;
  const char* Control;  // the object name of the box or list, or "stgAmt"
  int AmountRow;        // the amounts grid's row typed into
  // The texts typed over the box or cell, '|' between retypings; for a list,
  // its keys: 'v' Down, '^' Up.
  const char* Typed;
  std::vector<std::pair<const std::string*, std::string>> Changed;
  bool Stamped;         // the address effective date becomes today
  bool ThroughAddress;  // then the focus passes through every address control
};

// clang-format off
const TWriteBackCase WriteBackCases[] = {
    {"city", "edtCity", 0, "Troy", {{&fnAddressCity, "Troy"}}, true, false},
    {"last name", "edtLastName", 0, "Jones", {{&fnLastName, "Jones"}}, false, false},
    {"first name", "edtFirstName", 0, "Ann", {{&fnFirstName, "Ann"}}, false, false},
    {"middle name", "edtMiddleName", 0, "Q.", {{&fnMiddleName, "Q."}}, false, false},
    {"SSN", "mskSSN", 0, "987654321", {{&fnMemberSSN, "987654321"}}, false, false},
    {"birth date", "edtBirthDate", 0, "03041965", {{&fnBirthDate, "03041965"}}, false, false},
    {"address effective date", "edtEffDate", 0, "10012004", {{&fnAddressEffectiveDate, "10012004"}}, false, false},
    {"area code", "mskAreaCode", 0, "212", {{&fnPhoneAreaCode, "212"}}, false, false},
    {"phone", "mskPhone", 0, "5559876", {{&fnPhoneNumber, "5559876"}}, false, false},
    {"phone extension", "mskPhoneExt", 0, "17", {{&fnExtension, "17"}}, false, false},
    {"e-mail", "edtEmail", 0, "bo@example.org", {{&fnAddressEMail, "bo@example.org"}}, true, false},
    {"first address line", "edtAddress1", 0, "9 Oak Lane", {{&fnAddressLine1, "9 Oak Lane"}}, true, false},
    {"ZIP", "mskZip", 0, "12207", {{&fnAddressZip, "12207"}}, true, false},
    {"ZIP+4", "mskZip4", 0, "1234", {{&fnAddressZip4, "1234"}}, true, false},
    {"regular amount", "stgAmt", 3, "75", {{&fnContribEmployeePreTax, "7500"}}, false, false},
    {"voluntary amount", "stgAmt", 5, "5.25", {{&fnContribVoluntaryPostTax, "525"}}, false, false},
    {"state picked", "cmbState", 0, "v", {{&fnAddressState, "AK"}}, true, false},
    {"gender picked", "cmbGender", 0, "v", {{&fnGenderCD, "1"}}, false, false},
    {"marital status picked", "cmbMarital", 0, "v", {{&fnMaritalStatusCD, "1"}}, false, false},
    {"suffix picked", "cmbSuffix", 0, "v", {{&fnNameSuffix, "2"}}, false, false},
    // A list that shows row 0 for a code it lacks: the clerk who goes to another
    // row and back has chosen row 0, and its code is stored.
    {"state's shown row picked", "cmbState", 0, "v^", {{&fnAddressState, "AL"}}, true, false},
    {"prefix's shown row picked", "cmbNamePrefix", 0, "v^", {{&fnNamePrefix, "0"}}, false, false},
    // Typed back to what the box showed: no change, the slip stays.
    {"last name typed back", "edtLastName", 0, "Jones|Smith", {}, false, false},
    {"SSN typed back", "mskSSN", 0, "987654321|12345678", {}, false, false},
    // Leaving address controls that show a slip is no change of address.
    {"address controls passed", "edtLastName", 0, "Jones", {{&fnLastName, "Jones"}}, false, true},
};
// clang-format on

// The clerk's keys, each control left by Tab: a box retyped (once for every
// text, '|' between them), a list stepped ('v' Down, '^' Up), an amount cell
// retyped on the contribution page.
void Retype(TMaskEdit* Box, const QString& Texts) {
  for (const QString& Text : Texts.split('|')) TypeInto(Box, Text.toStdString());
  QTest::keyClick(Box, Qt::Key_Tab);
}
void StepList(QComboBox* List, const char* Keys) {
  List->setFocus();
  for (const char* K = Keys; *K != '\0'; ++K)
    QTest::keyClick(List, *K == 'v' ? Qt::Key_Down : Qt::Key_Up);
  QTest::keyClick(List, Qt::Key_Tab);
}
void RetypeAmount(TfrmMbrDetail* D, int Row, const QString& Text) {
  D->pgcDetail->SetActivePage(D->tbsContr);
  TypeIntoCell(D->stgAmt, 1, Row, Text);
  if (QTest::currentTestFailed()) return;
  QTest::keyClick(D->stgAmt->InplaceEditor(), Qt::Key_Tab);
}

// The clerk's keys into the one control of the case.
void ClerkChanges(TfrmMbrDetail* D, const TWriteBackCase& C) {
  const QString Control = QString::fromLatin1(C.Control);
  if (Control == "stgAmt") return RetypeAmount(D, C.AmountRow, QString::fromLatin1(C.Typed));
  if (auto* List = D->findChild<QComboBox*>(Control)) return StepList(List, C.Typed);
  auto* Box = D->findChild<TMaskEdit*>(Control);
  QVERIFY(Box != nullptr);
  Retype(Box, QString::fromLatin1(C.Typed));
}

// How the first save of an edit is refused.
enum class TRefusal { MemberCheck, FileValidation, WriteRefused, ShortWrite };

}  // namespace

class TestVDemogrRecord : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  // Every box of a new member, keyed in and saved, lands in its columns.
  void SavedMemberLineMatchesTheGoldenFile() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, true, [&](TfrmMbrDetail* D) {
      FillMember(D, "555443333", "O'Brien-Hale");
      D->cmbNamePrefix->setCurrentIndex(1);  // Dr.
      D->edtMiddleName->SetText("J.");
      D->cmbSuffix->setCurrentIndex(1);   // Jr.
      D->cmbGender->setCurrentIndex(1);   // Male
      D->cmbMarital->setCurrentIndex(2);  // Married
      D->edtAddress2->SetText("Apt #4");
      D->cmbState->setCurrentIndex(4);  // California
      D->mskZip4->SetText("0042");
      D->edtEffDate->SetText("10/01/2004");
      D->edtEmail->SetText("carl@example.org");
      D->mskAreaCode->SetText("212");
      D->mskPhone->SetText("5550199");
      D->mskPhoneExt->SetText("17");
      const char* Amounts[] = {"1234.56", "2469.12", "50", "86.42", "15.43", "-3.5", "0.1"};
      for (int Row = 0; Row < 7; ++Row) D->stgAmt->SetCells(1, Row, Amounts[Row]);
      D->bbnSave->click();
      QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
      QCOMPARE(D->Mode, 'B');
    });
    const std::string File = Folder.Read("20041000.123");
    QCOMPARE(File.size(), size_t(154 + 2 * 328));
    const std::string Golden =
        ReadBytes(std::string(KSF_TEST_DATA_DIR) + "/member-detail-line.txt");
    QCOMPARE(File.substr(54 + 328, 328), Golden);
  }

  // A code no row has shows row 0, and stays on disk while the clerk leaves the
  // list alone.
  void UnknownCodesShowTheFirstRowAndStayOnDisk() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    Patch(Folder, "20041000.123", 192, "ZZ");  // a state the table does not have
    Patch(Folder, "20041000.123", 101, "9");   // a marital status no row has
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->cmbState->currentIndex(), 0);
      QCOMPARE(D->cmbMarital->currentIndex(), 0);
      TypeInto(D->edtFirstName, "Ann");
      D->bbnSave->click();
      QCOMPARE(D->Mode, 'B');
    });
    const std::string Line = MemberLine(Folder.Read("20041000.123"), 1);
    QCOMPARE(Line.substr(191, 2), std::string("ZZ"));
    QCOMPARE(Line.substr(100, 1), std::string("9"));
    QCOMPARE(Line.substr(40, 3), std::string("Ann"));
  }

  // A member whose line holds values no box can show (hand-edit slips), with
  // incomplete saves allowed since the file fails its checks: the clerk changes
  // one control with real keys and saves. The saved file differs from the one
  // before only in that control's field, the address stamp where an address
  // changed, and what every save recomputes; every slip elsewhere stays byte
  // for byte, and so does the other member.
  void SaveWritesOnlyWhatTheClerkChanged_data() {
    QTest::addColumn<int>("Case");
    for (size_t I = 0; I < std::size(WriteBackCases); ++I)
      QTest::newRow(WriteBackCases[I].Name) << static_cast<int>(I);
  }
  void SaveWritesOnlyWhatTheClerkChanged() {
    QFETCH(int, Case);
    const TWriteBackCase& C = WriteBackCases[Case];
    TTestFolder Folder;
    WriteWithSlips(Folder, "20041000.123",
                   {Member("123456789", "Smith"), Member("222222222", "Baker")}, 1);
    const std::string Written = Folder.Read("20041000.123");
    TOpenForm Form;
    const std::string Before = Folder.Read("20041000.123");
    QVERIFY2(Before == Written, "loading rewrote the file");
    QVERIFY(Form->chbSaveError->Checked());
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->Mode, 'B');
      ClerkChanges(D, C);
      if (C.ThroughAddress) {
        // Through every address control, changing none of them.
        D->edtAddress1->setFocus();
        for (int I = 0; I < 6; ++I) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->edtEffDate));
      }
      Settle();
      QCOMPARE(D->Mode, 'E');
      QTest::mouseClick(D->bbnSave, Qt::LeftButton);
      Settle();
      QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
      QCOMPARE(D->Mode, 'B');
    });
    std::vector<TChange> Changes;
    for (const auto& [Field, Bytes] : C.Changed) Changes.push_back({1, Field, Bytes});
    if (C.Stamped) Changes.push_back({1, &fnAddressEffectiveDate, "11152004"});
    const std::string Difference =
        UnexpectedDifference(Before, Folder.Read("20041000.123"), Changes);
    QVERIFY2(Difference.empty(), Difference.c_str());
  }

  // A save is refused after the member already holds the edit (its check, the
  // file's validation, a write refused, a short write). The clerk puts the last
  // name, the gender and the amount back as they were and saves again: the file
  // holds the member as the form shows it, which is as it was before the edit,
  // and so does the form after going to the next member and back.
  void AValuePutBackAfterARefusedSaveIsStored_data() {
    QTest::addColumn<int>("Refusal");
    QTest::addColumn<bool>("ThroughNext");
    const std::pair<const char*, TRefusal> Refusals[] = {
        {"member check", TRefusal::MemberCheck},
        {"file's validation", TRefusal::FileValidation},
        {"write refused", TRefusal::WriteRefused},
        {"short write", TRefusal::ShortWrite},
    };
    for (const auto& [Name, Refusal] : Refusals) {
      QTest::newRow(Name) << static_cast<int>(Refusal) << false;
      QTest::newRow((std::string(Name) + ", then Next and Prior").c_str())
          << static_cast<int>(Refusal) << true;
    }
  }
  void AValuePutBackAfterARefusedSaveIsStored() {
    QFETCH(int, Refusal);
    QFETCH(bool, ThroughNext);
    const auto R = static_cast<TRefusal>(Refusal);
    TTestFolder Folder;
    // The file's validation fails on the other member's regular amount alone.
    Folder.Write("20041000.123", {Member("123456789", "SMITHA"),
                                  Member("222222222", "Baker",
                                         R == TRefusal::FileValidation ? 99 : 70)});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    QCOMPARE(Form->chbSaveError->Checked(), R == TRefusal::FileValidation);
    // With the member check refused, the regular amount is the slip; otherwise a
    // voluntary amount that passes.
    const int Row = R == TRefusal::MemberCheck ? 3 : 5;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->chbSaveError->SetChecked(false);
      const std::string Amount = D->stgAmt->Cells(1, Row);
      QCOMPARE(D->cmbGender->currentText(), QString("Female"));
      Retype(D->edtLastName, "ZED");
      StepList(D->cmbGender, "^");
      RetypeAmount(D, Row, R == TRefusal::MemberCheck ? "99" : "5");
      if (QTest::currentTestFailed()) return;
      QCOMPARE(D->Mode, 'E');
      {
        std::unique_ptr<TFailingDisk> Disk;
        if (R == TRefusal::WriteRefused) Disk = std::make_unique<TFailingDisk>(TWriteFault::Raised);
        if (R == TRefusal::ShortWrite) Disk = std::make_unique<TFailingDisk>(TWriteFault::Short);
        QTest::mouseClick(D->bbnSave, Qt::LeftButton);
        Settle();
      }
      QVERIFY2(!Env->Boxes.empty(), "the save was not refused");
      QCOMPARE(D->Mode, 'E');
      QCOMPARE(Folder.Read("20041000.123"), Before);
      Env->Boxes.clear();
      Env->ShownMessages.clear();

      Retype(D->edtLastName, "SMITHA");
      D->pgcDetail->SetActivePage(D->tbsDemogr);
      StepList(D->cmbGender, "v");
      RetypeAmount(D, Row, QString::fromStdString(Amount));
      if (QTest::currentTestFailed()) return;
      // The other member still fails the file's validation.
      if (R == TRefusal::FileValidation) D->chbSaveError->SetChecked(true);
      QTest::mouseClick(D->bbnSave, Qt::LeftButton);
      Settle();
      if (ThroughNext) {
        QTest::mouseClick(D->bbnNext, Qt::LeftButton);
        Settle();
        QCOMPARE(D->mskSSN->Text(), std::string("222222222"));
        QTest::mouseClick(D->bbnPrior, Qt::LeftButton);
        Settle();
      }
      QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(D->edtLastName->Text(), std::string("SMITHA"));
      QCOMPARE(D->cmbGender->currentText(), QString("Female"));
      QCOMPARE(D->stgAmt->Cells(1, Row), Amount);
    });
    const std::string Difference = UnexpectedDifference(Before, Folder.Read("20041000.123"), {});
    QVERIFY2(Difference.empty(), Difference.c_str());
  }

  // Delete saves the file with the neighbour shown in the form: the neighbour
  // is written as it was read, slips and all.
  void DeleteKeepsTheNeighbourAsItIsOnDisk_data() {
    QTest::addColumn<int>("Deleted");    // 1-based, of two members
    QTest::addColumn<int>("Neighbour");  // the member with the slips
    QTest::newRow("the member after it") << 1 << 2;
    QTest::newRow("the member before it") << 2 << 1;
  }
  void DeleteKeepsTheNeighbourAsItIsOnDisk() {
    QFETCH(int, Deleted);
    QFETCH(int, Neighbour);
    TTestFolder Folder;
    std::vector<TTestMember> Members{Member("111111111", "Adams"), Member("111111111", "Adams")};
    Members[static_cast<size_t>(Neighbour - 1)] = Member("123456789", "Smith");
    WriteWithSlips(Folder, "20041000.123", Members, Neighbour);
    TOpenForm Form;
    const std::string Before = Folder.Read("20041000.123");
    Trans->CurIndex = Deleted - 1;
    Form->RefreshGrids();
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->mskSSN->Text(), std::string("111111111"));
      Env->Answers = {mrYes};
      D->bbnDel->click();
      QCOMPARE(Trans->Details.Count(), 1);
      QCOMPARE(D->Mode, 'B');
    });
    const std::string After = Folder.Read("20041000.123");
    QCOMPARE(After.size(), size_t(154 + 328));
    QCOMPARE(MemberLine(After, 1), MemberLine(Before, Neighbour));
    QCOMPARE(MemberLine(After, 1).substr(191, 2), std::string("ZZ"));
  }

  // What the clerk typed and saw is what is stored: a box takes no more than its
  // field keeps.
  void BoxesTakeNoMoreThanTheirFieldKeeps_data() {
    QTest::addColumn<QString>("Box");
    QTest::addColumn<int>("Width");
    QTest::newRow("last name") << "edtLastName" << 25;
    QTest::newRow("first name") << "edtFirstName" << 25;
    QTest::newRow("middle name") << "edtMiddleName" << 25;
    QTest::newRow("address") << "edtAddress1" << 30;
    QTest::newRow("city") << "edtCity" << 30;
    QTest::newRow("e-mail") << "edtEmail" << 30;
  }
  void BoxesTakeNoMoreThanTheirFieldKeeps() {
    QFETCH(QString, Box);
    QFETCH(int, Width);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    std::string Shown;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      auto* Edit = D->findChild<TMaskEdit*>(Box);
      TypeInto(Edit, std::string(40, 'q'));
      Shown = Edit->Text();
      QCOMPARE(static_cast<int>(Shown.size()), Width);
      D->bbnSave->click();
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(Edit->Text(), Shown);
    });
    QCOMPARE(Trans->Details[0]->GetAsString(Box == "edtLastName"     ? fnLastName
                                            : Box == "edtFirstName"  ? fnFirstName
                                            : Box == "edtMiddleName" ? fnMiddleName
                                            : Box == "edtAddress1"   ? fnAddressLine1
                                            : Box == "edtCity"       ? fnAddressCity
                                                                     : fnAddressEMail),
             Shown);
  }

  void NavigationUnderAFilter_data() {
    QTest::addColumn<QString>("Visible");  // of the four members, 1 shown
    QTest::addColumn<int>("Start");
    QTest::addColumn<QString>("Button");
    QTest::addColumn<int>("Target");
    QTest::addColumn<bool>("Beep");
    QTest::newRow("First on record 0") << "1111" << 0 << "First" << 0 << true;
    QTest::newRow("Prior on record 0") << "1111" << 0 << "Prior" << 0 << true;
    QTest::newRow("Next on the last") << "1111" << 3 << "Next" << 3 << true;
    QTest::newRow("Last on the last") << "1111" << 3 << "Last" << 3 << true;
    QTest::newRow("Next") << "1111" << 1 << "Next" << 2 << false;
    QTest::newRow("Prior") << "1111" << 2 << "Prior" << 1 << false;
    QTest::newRow("First") << "1111" << 2 << "First" << 0 << false;
    QTest::newRow("Last") << "1111" << 0 << "Last" << 3 << false;
    QTest::newRow("Next skips hidden") << "1010" << 0 << "Next" << 2 << false;
    QTest::newRow("Last falls back to the last shown") << "1010" << 0 << "Last" << 2 << false;
    QTest::newRow("Next with none shown after") << "0100" << 1 << "Next" << 1 << true;
    QTest::newRow("Prior with none shown before") << "0100" << 1 << "Prior" << 1 << true;
    QTest::newRow("First on the first shown") << "0100" << 1 << "First" << 1 << false;
    QTest::newRow("Last on the last shown") << "0100" << 1 << "Last" << 1 << false;
  }
  void NavigationUnderAFilter() {
    QFETCH(QString, Visible);
    QFETCH(int, Start);
    QFETCH(QString, Button);
    QFETCH(int, Target);
    QFETCH(bool, Beep);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker"),
                                  Member("333333333", "Clark"), Member("444444444", "Dodd")});
    TOpenForm Form;
    for (int I = 0; I < 4; ++I) Trans->Details[I]->Visible = Visible[I] == '1';
    Trans->CurIndex = Start;
    Form->RefreshGrids();
    QCOMPARE(Trans->CurIndex, Start);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Env->Beeps = 0;
      D->findChild<TBitBtn*>("bbn" + Button)->click();
      QCOMPARE(Trans->CurIndex, Target);
      QCOMPARE(D->mskSSN->Text(), std::string(9, static_cast<char>('1' + Target)));
      QCOMPARE(Env->Beeps, Beep ? 1 : 0);
      QCOMPARE(D->Mode, 'B');
      QVERIFY(Env->Boxes.empty());
    });
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVDemogrRecord)
#include "test_VDemogrRecord.moc"

// The member detail form and the member record: what a saved member's line
// holds byte for byte, codes no table row has, the name boxes' limits, and
// stepping through the visible members.

#include "DetailFormFixture.h"

namespace {

// Overwrites bytes of the first member's line (1-based column) in a written file.
void Patch(const TTestFolder& Folder, const std::string& Name, int Column,
           const std::string& Bytes) {
  std::string File = Folder.Read(Name);
  File.replace(54 + static_cast<size_t>(Column - 1), Bytes.size(), Bytes);
  WriteBytes(Folder.Path(Name), File);
}

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

  void UnknownCodesShowAndStoreTheFirstRow() {
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
    QCOMPARE(Line.substr(191, 2), std::string("AL"));
    QCOMPARE(Line.substr(100, 1), std::string("6"));  // Unknown
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

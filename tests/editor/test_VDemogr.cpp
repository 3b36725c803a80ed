// The member detail form opened from the preparation form: what it shows at
// opening, its modes, change tracking, the SSN change rule and the
// allow-incomplete-saves box it shares with the preparation form.

#include <QTabBar>

#include "DetailFormFixture.h"
#include "HandEditFixture.h"

namespace {

// A file of three members that opens read-only with none of them shown: cut
// short inside its first member's line, or holding voluntary amounts that fit
// their columns whose total does not fit a stored amount.
void WriteUnshownFile(const TTestFolder& Folder, const std::string& Name, bool CutShort) {
  Folder.Write(Name, {Member("111111111", "Adams"), Member("222222222", "Baker"),
                      Member("333333333", "Clark")});
  std::string File = Folder.Read(Name);
  if (CutShort) {
    File.resize(LineStart(File, 1) + 100);
  } else {
    auto Put = [&](int Line, const std::string& Field, const char* Bytes) {
      const TField& F = LayoutField(ListOfLine(Line), Field);
      std::string Padded = Bytes;
      Padded.resize(static_cast<size_t>(F.Length), ' ');
      File.replace(LineStart(File, Line) + static_cast<size_t>(F.Start - 1), Padded.size(), Padded);
    };
    for (int Line = 1; Line <= 3; ++Line) Put(Line, fnContribVoluntaryPostTax, "1500000000");
    Put(-1, fnTotalVolContribAmt, "4500000000");
    Put(-1, fnTotalReceivables, "4500024750");
  }
  WriteBytes(Folder.Path(Name), File);
}

}  // namespace

class TestVDemogr : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() {
    Env.reset();
    ReadOnlyMode = false;
  }

  void ModeTable_data() {
    QTest::addColumn<char>("Mode");
    QTest::addColumn<bool>("ReadOnly");
    QTest::addColumn<QString>("Status");
    QTest::addColumn<QString>("Buttons");  // First..Cancel, 1 enabled
    QTest::newRow("B") << 'B' << false << "Browsing..."
                       << "11111100";
    QTest::newRow("E") << 'E' << false << "Editing..."
                       << "00000011";
    QTest::newRow("A") << 'A' << false << "Inserting..."
                       << "00000011";
    QTest::newRow("I") << 'I' << false << "Inserting..."
                       << "00000011";
    QTest::newRow("B read-only") << 'B' << true << "Browsing..."
                                 << "11110000";
    QTest::newRow("E read-only") << 'E' << true << "Editing..."
                                 << "00000000";
    QTest::newRow("A read-only") << 'A' << true << "Inserting..."
                                 << "00000000";
  }
  void ModeTable() {
    QFETCH(char, Mode);
    QFETCH(bool, ReadOnly);
    QFETCH(QString, Status);
    QFETCH(QString, Buttons);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      ReadOnlyMode = ReadOnly;
      D->SetMode(Mode);
      ReadOnlyMode = false;
      QCOMPARE(D->Mode, Mode);
      QCOMPARE(D->stbMessage->PanelText(0), Status.toStdString());
      QString Shown;
      for (bool On : RecordButtons(D)) Shown += On ? '1' : '0';
      QCOMPARE(Shown, Buttons);
      QCOMPARE(D->IsEditing(), Mode != 'B');
    });
  }

  void OpensOnTheCurrentMemberInBrowsing() {
    TTestFolder Folder;
    TTestMember M = Member("222222222", "Baker");
    M.Gender.assign(1, '1');  // (a one-character literal trips a false compiler warning)
    Folder.Write("20041000.123", {Member("111111111", "Adams"), M});
    TOpenForm Form;
    Form->sgrDemogr->SetRow(2);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->windowTitle(), "Member Detail - " + Form->edtFileName->text());
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(D->mskSSN->Text(), std::string("222222222"));
      QCOMPARE(D->OldSSN, std::string("222222222"));
      QCOMPARE(D->edtLastName->Text(), std::string("Baker"));
      QCOMPARE(D->cmbGender->currentText(), QString("Male"));
      QCOMPARE(D->cmbState->currentText(), QString("New York"));
      QCOMPARE(D->cmbState->count(), 51);
      QCOMPARE(D->cmbNamePrefix->currentText(), QString("Mr."));
      QCOMPARE(D->edtBirthDate->Text(), std::string("01/15/1970"));
      QCOMPARE(D->stgAmt->Cells(1, 0), std::string("   1000.00"));
      QCOMPARE(D->stgAmt->Cells(0, 6), std::string("Contract payments : "));
      QCOMPARE(D->stbMessage->PanelText(1), std::string());
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
      QVERIFY(!D->mskSSN->isReadOnly());
    });
    QCOMPARE(Trans->CurIndex, 1);
  }

  // A new member from Insert, and the only way in to a file without members.
  void OpensBlankForANewMember_data() {
    QTest::addColumn<bool>("Insert");
    QTest::addColumn<bool>("Members");
    QTest::newRow("Insert") << true << true;
    QTest::newRow("no member") << false << false;
  }
  void OpensBlankForANewMember() {
    QFETCH(bool, Insert);
    QFETCH(bool, Members);
    TTestFolder Folder;
    Folder.Write("20041000.123", Members ? std::vector<TTestMember>{Member("111111111", "Adams")}
                                         : std::vector<TTestMember>{});
    TOpenForm Form;
    DETAIL(Form, Insert, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->Mode, 'A');
      QCOMPARE(D->stbMessage->PanelText(0), std::string("Inserting..."));
      QCOMPARE(RecordButtons(D),
               (std::vector<bool>{false, false, false, false, false, false, true, true}));
      for (TMaskEdit* Box : {D->mskSSN, D->edtLastName, D->edtFirstName, D->edtMiddleName,
                             D->mskPhone, D->mskPhoneExt, D->edtEmail, D->edtAddress1,
                             D->edtAddress2, D->edtCity, D->mskZip, D->mskZip4})
        QCOMPARE(Box->Text(), std::string());
      QCOMPARE(D->edtBirthDate->Text(), std::string("  /  /    "));
      QCOMPARE(D->mskAreaCode->Text(), DefaultAreaCode);
      QCOMPARE(D->edtEffDate->Text(), std::string("11/15/2004"));
      for (int Row = 0; Row < 7; ++Row) QCOMPARE(D->stgAmt->Cells(1, Row), std::string("0.00"));
      QCOMPARE(D->cmbNamePrefix->currentText(), QString());
      QCOMPARE(D->cmbSuffix->currentText(), QString());
      QCOMPARE(D->cmbGender->currentText(), QString("Unknown"));
      QCOMPARE(D->cmbMarital->currentText(), QString("Unknown"));
      QCOMPARE(GetCodeKey(cgState, D->cmbState->currentIndex()), DefaultState);
      QVERIFY(D->OldSSN.empty());
    });
  }

  void ReadOnlyFileOpensForBrowsingOnly() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    Folder.Write("20041001.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->dbnPrev->BtnClick(nbPrior);  // revision 0 is no longer the newest
    QVERIFY(ReadOnlyMode);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QVERIFY(D->mskSSN->isReadOnly());
      QVERIFY(!D->gbxName->isEnabled());
      QVERIFY(!D->tbsDemogr->isEnabled());
      QVERIFY(!D->tbsContr->isEnabled());
      QCOMPARE(RecordButtons(D),
               (std::vector<bool>{true, true, true, true, false, false, false, false}));
      QCOMPARE(D->stbMessage->PanelText(1), std::string("Read Only"));
      QVERIFY(D->bbnExit->isEnabled());
      QVERIFY(D->chbSaveError->isEnabled());
      D->bbnNext->click();
      QCOMPARE(D->mskSSN->Text(), std::string("222222222"));
      QCOMPARE(D->Mode, 'B');
    });
  }

  // A file shown read-only without members: a click on a member page opens the
  // form on a blank member that nothing can be typed into. Leaving it asks
  // nothing, adds no member, tells the file's problem no second time, and the
  // preparation form's commands stay as the file left them.
  void ReadOnlyBlankMemberIsLeftWithoutAQuestion_data() {
    QTest::addColumn<bool>("CutShort");
    QTest::addColumn<QString>("Leave");
    for (bool Cut : {true, false}) {
      const char* File = Cut ? "cut short, " : "totals beyond range, ";
      QTest::newRow((std::string(File) + "Exit").c_str()) << Cut << "Exit";
      QTest::newRow((std::string(File) + "Esc, then Exit").c_str()) << Cut << "Esc";
    }
  }
  void ReadOnlyBlankMemberIsLeftWithoutAQuestion() {
    QFETCH(bool, CutShort);
    QFETCH(QString, Leave);
    TTestFolder Folder;
    WriteUnshownFile(Folder, "20041000.123", CutShort);
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    QCOMPARE(Env->Boxes.size(), size_t(1));  // the opening's own word on the file
    QVERIFY(ReadOnlyMode);
    QCOMPARE(Trans->Details.Count(), 0);
    auto Commands = [&] {
      std::vector<bool> States;
      for (TBitBtn* B : {Form->bbnNew, Form->bbnAmend, Form->bbnRevise, Form->bbnPrint,
                         Form->bbnSave, Form->bbnInsert})
        States.push_back(B->isEnabled());
      return States;
    };
    const std::vector<bool> CommandsBefore = Commands();
    Env->Boxes.clear();
    Env->Answers = {mrYes, mrYes};  // what a question, were one asked, would get
    QApplication::setActiveWindow(Form.Form);
    QVERIFY(QTest::qWaitForWindowActive(Form.Form));
    bool Shown = false, Closed = false;
    WhenModalShown([&](QWidget*) {
      Shown = true;
      TfrmMbrDetail* D = frmMbrDetail;
      [&] {
        QApplication::setActiveWindow(D);
        QVERIFY(QTest::qWaitForWindowActive(D));
        QCOMPARE(D->stbMessage->PanelText(1), std::string("Read Only"));
        QVERIFY(D->mskSSN->isReadOnly());
        QVERIFY(!D->bbnSave->isEnabled());
        if (Leave == "Esc") {
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
          Settle();
          QVERIFY(Env->Boxes.empty());
        }
        QTest::mouseClick(D->bbnExit, Qt::LeftButton);
        Settle();
      }();
      Closed = !D->isVisible();
      if (!Closed) D->done(mrCancel);
    });
    QTabBar* Tabs = Form->pgcTrans->tabBar();
    QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(1).center());
    QVERIFY(Shown);
    QVERIFY(Closed);
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{});
    QCOMPARE(Trans->Details.Count(), 0);
    QCOMPARE(Commands(), CommandsBefore);
    QVERIFY(ReadOnlyMode);
    QCOMPARE(Folder.Read("20041000.123"), Before);
  }

  void OpensOnThePageTheGridsShow_data() {
    QTest::addColumn<int>("GridPage");
    QTest::addColumn<bool>("Contributions");
    QTest::newRow("information page") << 0 << false;
    QTest::newRow("demographic grid") << 1 << false;
    QTest::newRow("contributions grid") << 2 << true;
  }
  void OpensOnThePageTheGridsShow() {
    QFETCH(int, GridPage);
    QFETCH(bool, Contributions);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(GridPage);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->pgcDetail->ActivePage(), Contributions ? D->tbsContr : D->tbsDemogr);
    });
  }

  void TypingSwitchesToEditing() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QTest::keyClicks(D->edtLastName, "s");
      QCOMPARE(D->Mode, 'E');
      QCOMPARE(D->stbMessage->PanelText(0), std::string("Editing..."));
      QCOMPARE(RecordButtons(D),
               (std::vector<bool>{false, false, false, false, false, false, true, true}));
      D->bbnCancel->click();
      QCOMPARE(D->Mode, 'B');
      // A list and the ZIP+4 box are tracked as well.
      D->cmbMarital->setCurrentIndex(3);
      QCOMPARE(D->Mode, 'E');
      D->bbnCancel->click();
      TypeInto(D->mskZip4, "1234");
      QCOMPARE(D->Mode, 'E');
    });
  }

  void SSNChangeRule() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      // Nine digits equal to the loaded SSN: no Editing, no check.
      D->mskSSN->SetText("111111111");
      QCOMPARE(D->Mode, 'B');
      QVERIFY(Env->Boxes.empty());
      // Fewer than nine: Editing only.
      D->mskSSN->SetText("1111");
      QCOMPARE(D->Mode, 'E');
      QVERIFY(Env->Boxes.empty());
      D->bbnCancel->click();
      QCOMPARE(D->Mode, 'B');
      // Nine other digits: Editing and the check, which finds Baker's SSN in the month.
      D->edtLastName->setFocus();
      D->mskSSN->SetText("222222222");
      QCOMPARE(D->Mode, 'E');
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"SSN 222-22-2222 is not unique!"});
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
      // An unused number passes; with incomplete saves allowed nothing is checked.
      Env->Boxes.clear();
      D->mskSSN->SetText("333333333");
      QVERIFY(Env->Boxes.empty());
      D->chbSaveError->SetChecked(true);
      D->mskSSN->SetText("222222222");
      QVERIFY(Env->Boxes.empty());
    });
  }

  // Keys typed straight after the form moves the focus to the SSN box land in
  // it: on its first unfilled position, or over the whole number when it is
  // full. Nine digits typed at once after Insert must not fall after the end
  // of the mask.
  void KeysAfterAFocusMoveLandInTheSSNBox_data() {
    QTest::addColumn<QString>("Way");
    QTest::addColumn<QString>("Keys");
    QTest::addColumn<QString>("SSN");
    QTest::newRow("Insert clicked from the last name") << "click Insert" << "123456789" << "123456789";
    QTest::newRow("Alt+I in the SSN box") << "Alt+I" << "123456789" << "123456789";
    QTest::newRow("save refused for a short SSN") << "short SSN" << "6789" << "123456789";
    QTest::newRow("SSN found twice") << "taken SSN" << "333333333" << "333333333";
  }
  void KeysAfterAFocusMoveLandInTheSSNBox() {
    QFETCH(QString, Way);
    QFETCH(QString, Keys);
    QFETCH(QString, SSN);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->Mode, 'B');
      if (Way == "Alt+I") {
        D->mskSSN->setFocus();
        QTRY_VERIFY(D->mskSSN->hasFocus());
        QTest::keyClick(D->mskSSN, Qt::Key_I, Qt::AltModifier);
        // A button pressed by its accelerator clicks a moment later.
        QTRY_COMPARE(D->Mode, 'A');
      } else {
        D->edtLastName->setFocus();
        QTRY_VERIFY(D->edtLastName->hasFocus());
        QTest::mouseClick(D->bbnInsert, Qt::LeftButton);
        QCOMPARE(D->Mode, 'A');
      }
      if (Way == "short SSN") {
        FillMember(D, "12345", "Carter");
        D->edtFirstName->setFocus();
        QTest::mouseClick(D->bbnSave, Qt::LeftButton);
        QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Invalid SSN : \"12345\"!"});
      }
      if (Way == "taken SSN") {
        D->edtFirstName->setFocus();
        D->mskSSN->SetText("222222222");
        QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"SSN 222-22-2222 is not unique!"});
      }
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
      QTest::keyClicks(QApplication::focusWidget(), Keys);
      QCOMPARE(QString::fromStdString(D->mskSSN->Text()), SSN);
    });
  }

  // A new member's empty masked boxes, clicked in their middle (after the end of
  // the mask's blanks in a box wider than them): the digits typed at once fill
  // the box from its start instead of landing after the click or vanishing.
  void ClickIntoAnEmptyBoxOfANewMemberTypesFromItsStart_data() {
    QTest::addColumn<QString>("Box");
    QTest::addColumn<QString>("Keys");
    QTest::addColumn<QString>("Text");
    QTest::newRow("SSN") << "mskSSN" << "111223333" << "111223333";
    QTest::newRow("birth date") << "edtBirthDate" << "01151970" << "01/15/1970";
    QTest::newRow("phone") << "mskPhone" << "5551234" << "5551234";
  }
  void ClickIntoAnEmptyBoxOfANewMemberTypesFromItsStart() {
    QFETCH(QString, Box);
    QFETCH(QString, Keys);
    QFETCH(QString, Text);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QTest::mouseClick(D->bbnInsert, Qt::LeftButton);
      QCOMPARE(D->Mode, 'A');
      D->pgcDetail->SetActivePage(D->tbsDemogr);
      TMaskEdit* Target = D->findChild<TMaskEdit*>(Box);
      QVERIFY(Target->Text().empty() || Target->Text() == "  /  /    ");
      const QPoint Middle = Target->rect().center();
      QTest::mouseClick(Target, Qt::LeftButton, {}, Middle);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Target));
      QTest::keyClicks(Target, Keys);
      QCOMPARE(QString::fromStdString(Target->Text()), Text);
      QVERIFY(Env->Boxes.empty());
    });
  }

  void AllowIncompleteBoxFollowsThePreparationForm() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->chbSaveError->SetChecked(true);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QVERIFY(D->chbSaveError->Checked());
      D->chbSaveError->click();
      QVERIFY(!Form->chbSaveError->Checked());
      D->chbSaveError->click();
      QVERIFY(Form->chbSaveError->Checked());
      D->chbSaveError->click();
    });
    QVERIFY(!Form->chbSaveError->Checked());
  }

  void HelpButtonAndF1OpenHelp() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->bbnHelp->click();
      D->edtCity->setFocus();
      QTest::keyClick(D->edtCity, Qt::Key_F1, Qt::ShiftModifier);
      QCOMPARE(Env->HelpOpened, 2);
      QCOMPARE(D->edtCity->Text(), std::string("Albany"));
    });
  }

  void ControlsCarryTheirNames() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    const char* Names[] = {
        "bbnHelp",      "bbnExit",      "mskSSN",        "gbxName",     "cmbNamePrefix",
        "edtLastName",  "edtFirstName", "edtMiddleName", "cmbSuffix",   "pgcDetail",
        "tbsDemogr",    "tbsContr",     "edtAddress1",   "edtAddress2", "edtCity",
        "cmbState",     "mskZip",       "mskZip4",       "edtEffDate",  "cmbGender",
        "edtBirthDate", "cmbMarital",   "edtEmail",      "mskAreaCode", "mskPhone",
        "mskPhoneExt",  "stgAmt",       "bbnFirst",      "bbnPrior",    "bbnNext",
        "bbnLast",      "bbnInsert",    "bbnDel",        "bbnSave",     "bbnCancel",
        "stbMessage",   "chbSaveError"};
    QCOMPARE(frmMbrDetail->objectName(), QString("frmMbrDetail"));
    for (const char* Name : Names)
      QVERIFY2(frmMbrDetail->findChild<QWidget*>(Name) != nullptr, Name);
    QCOMPARE(frmMbrDetail->size(), QSize(616, 413));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVDemogr)
#include "test_VDemogr.moc"

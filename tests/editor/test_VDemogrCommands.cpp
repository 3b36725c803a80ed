// The member detail form's commands: the save question, saving (a new member
// included), Insert, Delete, Cancel and closing, each checked against the file.

#include "DetailFormFixture.h"

namespace {

TTestMember Named(const std::string& SSN, const std::string& Last, const std::string& First) {
  TTestMember M = Member(SSN, Last);
  M.First = First;
  return M;
}

// Where member Number's line starts in a file.
size_t MemberLineStart(int Number) { return 54 + static_cast<size_t>(Number - 1) * 328; }

int MembersOnDisk(const TTestFolder& Folder, const std::string& Name) {
  return static_cast<int>((Folder.Read(Name).size() - 154) / 328);
}

}  // namespace

class TestVDemogrCommands : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void ConfirmationAnswers_data() {
    QTest::addColumn<int>("Answer");
    QTest::addColumn<bool>("Mended");    // the edit passes the checks
    QTest::addColumn<bool>("Moved");     // Next went on to the second member
    QTest::addColumn<QString>("Saved");  // the first member's last name on disk afterwards
    QTest::addColumn<QString>("Shown");  // the last name shown afterwards
    QTest::newRow("Cancel") << int(mrCancel) << true << false << "Adams"
                            << "Adamson";
    QTest::newRow("No") << int(mrNo) << true << true << "Adams"
                        << "Baker";
    QTest::newRow("Yes") << int(mrYes) << true << true << "Adamson"
                         << "Baker";
    QTest::newRow("Yes, check fails") << int(mrYes) << false << false << "Adams"
                                      << "Adams5";
  }
  void ConfirmationAnswers() {
    QFETCH(int, Answer);
    QFETCH(bool, Mended);
    QFETCH(bool, Moved);
    QFETCH(QString, Saved);
    QFETCH(QString, Shown);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      TypeInto(D->edtLastName, Mended ? "Adamson" : "Adams5");
      QCOMPARE(D->Mode, 'E');
      Env->Answers = {Answer};
      D->bbnNextClick();
      QCOMPARE(Env->Boxes.front().Caption, std::string("Member Detail"));
      QCOMPARE(Env->Boxes.front().Text, std::string("Save the current record?"));
      QCOMPARE(Env->Boxes.front().Buttons, TMsgButtons::YesNoCancel);
      QCOMPARE(Env->Boxes.front().Icon, TMsgIcon::None);
      QCOMPARE(Trans->CurIndex, Moved ? 1 : 0);
      QCOMPARE(D->edtLastName->Text(), Shown.toStdString());
      QCOMPARE(D->Mode, Shown == "Baker" ? 'B' : 'E');
    });
    QCOMPARE(MemberLine(Folder.Read("20041000.123"), 1).substr(15, 25),
             Saved.toStdString() + std::string(25 - static_cast<size_t>(Saved.size()), ' '));
  }

  void NewMemberFailingItsCheckStaysUntilMendedAndIsSavedOnce() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, true, [&](TfrmMbrDetail* D) {
      FillMember(D, "555555555", "Young");
      D->edtCity->SetText("");
      D->bbnSave->click();
      QCOMPARE(Env->BoxTexts().back(), std::string("The city is required!"));
      QCOMPARE(D->Mode, 'I');
      QCOMPARE(D->stbMessage->PanelText(0), std::string("Inserting..."));
      QCOMPARE(Trans->Details.Count(), 2);
      QCOMPARE(Form->sgrDemogr->RowCount(), 3);  // the grids show it already
      QCOMPARE(MembersOnDisk(Folder, "20041000.123"), 1);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->edtCity));

      D->edtCity->SetText("Troy");
      D->bbnSave->click();
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(Trans->Details.Count(), 2);
      QCOMPARE(MembersOnDisk(Folder, "20041000.123"), 2);
      QCOMPARE(D->mskSSN->Text(), std::string("555555555"));
    });
  }

  void CancelDropsTheNewMember() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    Form->sgrDemogr->SetRow(2);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->bbnInsert->click();
      QCOMPARE(D->Mode, 'A');
      FillMember(D, "555555555", "Young");
      D->edtFirstName->SetText("");
      D->bbnSave->click();
      QCOMPARE(D->Mode, 'I');
      QCOMPARE(Trans->Details.Count(), 3);
      D->bbnCancel->click();
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(Trans->Details.Count(), 2);
      // The member shown before Insert is shown again.
      QCOMPARE(D->edtLastName->Text(), std::string("Baker"));
    });
    QCOMPARE(MembersOnDisk(Folder, "20041000.123"), 2);
  }

  void CancelOfANewMemberInAnEmptyFileCloses() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->bbnCancel->click();
      Settle();
      QVERIFY(!D->isVisible());
      QVERIFY(Env->Boxes.empty());  // no question about what was just cancelled
    });
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsTrans);
  }

  // Cancel reads the file again. When that read now stops short (a member line
  // was cut off on disk meanwhile) or raises (an amount beyond its field), the
  // file is read-only in both forms, as if it had been opened so, and no save
  // writes it.
  void CancelOnAFileNoLongerReadWholeLeavesBothFormsReadOnly_data() {
    QTest::addColumn<bool>("Raises");
    QTest::newRow("a member line cut short") << false;
    QTest::newRow("an amount beyond its field") << true;
  }
  void CancelOnAFileNoLongerReadWholeLeavesBothFormsReadOnly() {
    QFETCH(bool, Raises);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker"),
                                  Member("333333333", "Clark")});
    const std::string Path = Folder.Path("20041000.123");
    std::string Damaged = Folder.Read("20041000.123");
    if (Raises)
      Damaged.replace(MemberLineStart(2) + 315, 11, "9999999999 ");  // its contracts amount
    else
      Damaged.resize(MemberLineStart(2) + 100);
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      TypeInto(D->edtLastName, "Adamson");
      QCOMPARE(D->Mode, 'E');
      WriteBytes(Path, Damaged);
      D->bbnCancel->click();
      if (Raises) {
        QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Value 99999999.99 does not fit field ContribContractPostTax"});
        QCOMPARE(Trans->Details.Count(), 0);
        QCOMPARE(D->edtLastName->Text(), std::string());
      } else {
        QVERIFY(Env->Boxes.empty());
        QCOMPARE(Trans->Details.Count(), 1);
        QCOMPARE(D->edtLastName->Text(), std::string("Adams"));
      }
      QCOMPARE(D->Mode, 'B');
      QVERIFY(ReadOnlyMode);
      QCOMPARE(Form->StatusBar->PanelText(2), std::string("Read Only"));
      QVERIFY(!Form->bbnSave->isEnabled());
      QVERIFY(!Form->bbnInsert->isEnabled());
      QCOMPARE(D->stbMessage->PanelText(1), std::string("Read Only"));
      QVERIFY(D->mskSSN->isReadOnly());
      QVERIFY(!D->tbsDemogr->isEnabled());
      for (TBitBtn* B : {D->bbnInsert, D->bbnDel, D->bbnSave, D->bbnCancel}) QVERIFY(!B->isEnabled());
      // Neither form's save writes it, by its button or otherwise.
      D->bbnSave->click();
      QVERIFY(!Form->SaveTransmittal());
      QCOMPARE(ReadBytes(Path), Damaged);
      // And the form is left without a question.
      Env->Boxes.clear();
      D->bbnExit->click();
      Settle();
      QVERIFY(!D->isVisible());
      QVERIFY(Env->Boxes.empty());
    });
    Form->bbnSave->click();
    QCOMPARE(ReadBytes(Path), Damaged);
  }

  void DeletingTheOnlyMemberWritesAnEmptyFile() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Env->Answers = {mrYes};
      D->bbnDel->click();
      QCOMPARE(Env->Boxes.front().Text,
               std::string("Are you sure that you want to delete member \"111-11-1111\"?"));
      QCOMPARE(Env->Boxes.front().Caption, std::string("KSF Transmittal Software"));
      QCOMPARE(Env->Boxes.front().Buttons, TMsgButtons::YesNo);
      QCOMPARE(Env->Beeps, 0);
      QCOMPARE(Folder.Read("20041000.123").size(), size_t(154));
      QVERIFY(!HeaderOnly);
      QCOMPARE(D->Mode, 'A');
      QCOMPARE(D->mskSSN->Text(), std::string());
    });
    QCOMPARE(Trans->Details.Count(), 0);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsTrans);
  }

  void DeleteAnsweredNoKeepsTheMember() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    const std::string Before = Folder.Read("20041000.123");
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Env->Answers = {mrNo};
      D->bbnDel->click();
      QCOMPARE(Trans->Details.Count(), 1);
      QCOMPARE(D->Mode, 'B');
    });
    QCOMPARE(Folder.Read("20041000.123"), Before);
  }

  // A save that fails must not leave the member gone from memory while the file
  // still holds it: the member comes back, and the failure is told.
  void FailedSaveAfterDeleteBringsTheMemberBack_data() {
    QTest::addColumn<int>("Members");
    QTest::addColumn<bool>("Raises");  // the file system refuses, rather than the save saying no
    QTest::newRow("only member, save says no") << 1 << false;
    QTest::newRow("only member, file system refuses") << 1 << true;
    QTest::newRow("one of two, save says no") << 2 << false;
    QTest::newRow("one of two, file system refuses") << 2 << true;
  }
  void FailedSaveAfterDeleteBringsTheMemberBack() {
    QFETCH(int, Members);
    QFETCH(bool, Raises);
    TTestFolder Folder;
    std::vector<TTestMember> List{Member("111111111", "Adams"), Member("222222222", "Baker")};
    List.resize(static_cast<size_t>(Members));
    Folder.Write("20041000.123", List);
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      if (Raises) {
        std::filesystem::remove(Folder.Path("20041000.123"));
        std::filesystem::create_directory(Folder.Path("20041000.123"));
      } else {
        Trans->FileName = Folder.Path("2004.123");  // too short a name to be written
      }
      Env->Answers = {mrYes};
      D->bbnDel->click();
      QCOMPARE(Trans->Details.Count(), Members);
      QCOMPARE(Trans->CurIndex, 0);
      QCOMPARE(D->mskSSN->Text(), std::string("111111111"));
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(Env->Boxes.back().Kind, Raises ? TMsgKind::ErrorBox : TMsgKind::MessageBox);
      if (!Raises) QCOMPARE(Env->BoxTexts().back(), std::string("Coudn't save the file!"));
      QVERIFY(!HeaderOnly);
      QVERIFY(!D->chbSaveError->Checked());
      QVERIFY(!Form->chbSaveError->Checked());
    });
    QCOMPARE(Form->sgrDemogr->Cells(0, 1), std::string("Adams"));
  }

  void DeletingTheLastMemberShowsTheOneBefore() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker"),
                                  Member("333333333", "Clark")});
    TOpenForm Form;
    Form->sgrDemogr->SetRow(3);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Env->Answers = {mrYes};
      D->bbnDel->click();
      QCOMPARE(D->edtLastName->Text(), std::string("Baker"));
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(Trans->CurIndex, 1);
    });
    QCOMPARE(MembersOnDisk(Folder, "20041000.123"), 2);
  }

  void DeleteShowsTheNearestVisibleMember() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker"),
                                  Member("333333333", "Clark"), Member("444444444", "Dodd")});
    TOpenForm Form;
    Trans->Details[0]->Visible = false;
    Trans->Details[2]->Visible = false;
    Trans->CurIndex = 1;
    Form->RefreshGrids();
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->edtLastName->Text(), std::string("Baker"));
      Env->Answers = {mrYes};
      D->bbnDel->click();
      // Clark, now at Baker's place, is hidden; Adams before it too: Dodd after it.
      QCOMPARE(D->edtLastName->Text(), std::string("Dodd"));
      QVERIFY(D->isVisible());
    });
  }

  void DeleteThatEmptiesTheFilterCloses() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    Trans->Details[0]->Visible = false;
    Trans->CurIndex = 1;
    Form->RefreshGrids();
    bool Closed = false;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Env->Answers = {mrYes};
      D->bbnDel->click();
      Settle();
      Closed = !D->isVisible();
    });
    QVERIFY(Closed);
    QCOMPARE(MembersOnDisk(Folder, "20041000.123"), 1);
    QCOMPARE(Trans->Details.Count(), 1);
  }

  // The file is saved whatever the remaining members hold, and both boxes show
  // their earlier state again.
  void DeleteSavesUncheckedAndRestoresTheBoxes_data() {
    QTest::addColumn<bool>("Allowed");
    QTest::newRow("incomplete saves not allowed") << false;
    QTest::newRow("incomplete saves allowed") << true;
  }
  void DeleteSavesUncheckedAndRestoresTheBoxes() {
    QFETCH(bool, Allowed);
    TTestFolder Folder;
    TTestMember Bad = Member("222222222", "Baker");
    Bad.Health = 0;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Bad, Member("333333333", "Clark")});
    TOpenForm Form;
    Form->chbSaveError->SetChecked(Allowed);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Env->Answers = {mrYes};
      D->bbnDel->click();
      QCOMPARE(D->chbSaveError->Checked(), Allowed);
      QCOMPARE(Form->chbSaveError->Checked(), Allowed);
      QVERIFY(Env->ShownMessages.empty());
    });
    QCOMPARE(MembersOnDisk(Folder, "20041000.123"), 2);
    QCOMPARE(Form->chbSaveError->Checked(), Allowed);
  }

  void InvalidDeleteIsAnError() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      Trans->CurIndex = 1;
      D->bbnDel->click();
      QCOMPARE(Env->Boxes.size(), size_t(1));
      QCOMPARE(Env->Boxes[0].Kind, TMsgKind::ErrorBox);
      QCOMPARE(Env->Boxes[0].Text, std::string("Invalid delete"));
      QCOMPARE(Trans->Details.Count(), 1);
      Trans->CurIndex = 0;
    });
  }

  void ClosingResortsAndKeepsTheMember() {
    TTestFolder Folder;
    // File order is not SSN order; closing sorts by SSN again.
    Folder.Write("20041000.123",
                 {Named("333333333", "Clark", "Cy"), Named("111111111", "Adams", "Al"),
                  Named("222222222", "Baker", "Bo")});
    TOpenForm Form;
    Form->sgrDemogr->SetRow(1);
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      QCOMPARE(D->edtLastName->Text(), std::string("Clark"));
      D->bbnExit->click();
      Settle();
      QVERIFY(!D->isVisible());
    });
    QCOMPARE(Trans->Details[0]->GetAsString(fnLastName), std::string("Adams"));
    QCOMPARE(Trans->CurIndex, 2);
    QCOMPARE(Form->sgrDemogr->Cells(0, Form->sgrDemogr->Row()), std::string("Clark"));
  }

  void ClosingWithEditsAsksAndMayStay() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      TypeInto(D->edtLastName, "Adamson");
      Env->Answers = {mrCancel};
      D->bbnExit->click();
      Settle();
      QVERIFY(D->isVisible());
      QCOMPARE(D->edtLastName->Text(), std::string("Adamson"));
      Env->Answers = {mrYes};
      D->bbnExit->click();
      Settle();
      QVERIFY(!D->isVisible());
    });
    QCOMPARE(MemberLine(Folder.Read("20041000.123"), 1).substr(15, 7), std::string("Adamson"));
  }

  // A save whose member totals no longer fit the trailer (two voluntary amounts
  // of 15,000,000.00 make 30,000,000.00) writes nothing and tells it once; the
  // member stays being edited with Save offered, and the totals beside the
  // grids stay one set, the file's, also where a total before the one that
  // does not fit has changed. Leaving without saving puts the file back.
  void SaveWhoseTotalsNoLongerFitTheTrailer_data() {
    QTest::addColumn<bool>("NewMember");
    QTest::addColumn<QString>("Regular");  // typed too, when not empty
    QTest::addColumn<QString>("Message");
    QTest::newRow("second member's voluntary")
        << false << ""
        << "Value 30000000.00 does not fit field TotalVolContribAmt";
    QTest::newRow("and its regular contribution")
        << false << "1400000.50"
        << "Value 30000000.00 does not fit field TotalVolContribAmt";
    QTest::newRow("a new member's voluntary")
        << true << ""
        << "Value 31000000.00 does not fit field TotalVolContribAmt";
  }
  void SaveWhoseTotalsNoLongerFitTheTrailer() {
    QFETCH(bool, NewMember);
    QFETCH(QString, Regular);
    QFETCH(QString, Message);
    TTestFolder Folder;
    TTestMember A = Member("111111111", "Adams", 1400000),
                B = Member("222222222", "Baker", 1400000);
    for (TTestMember* M : {&A, &B}) {
      M->Pensionable = M->Earnable = 20000000;
      M->Health = 250000;
    }
    A.Voluntary = 15000000;
    B.Voluntary = 1000000;
    Folder.Write("20041000.123", {A, B});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    QVERIFY(!Form->chbSaveError->Checked());
    auto Panel = [&] {
      std::vector<QString> Texts;
      for (QLabel* L : {Form->lblRecordCount, Form->lblRegular, Form->lblHealth, Form->lblVoluntary,
                        Form->lblContracts, Form->lblGrandTotal})
        Texts.push_back(L->text());
      return Texts;
    };
    const std::vector<QString> PanelBefore = Panel();
    QCOMPARE(PanelBefore[5], QString("$19,300,000.00"));
    Form->sgrDemogr->SetRow(2);
    DETAIL(Form, NewMember, [&](TfrmMbrDetail* D) {
      if (NewMember) {
        FillMember(D, "555555555", "Young");
        const char* Amounts[] = {"20000000", "20000000", "100", "1400000",
                                 "250000",   "15000000", "0"};
        for (int Row = 0; Row < 7; ++Row) D->stgAmt->SetCells(1, Row, Amounts[Row]);
      } else {
        QCOMPARE(D->mskSSN->Text(), std::string("222222222"));
        D->pgcDetail->SetActivePage(D->tbsContr);
        TypeIntoCell(D->stgAmt, 1, 5, "15000000.00");
        if (!Regular.isEmpty()) TypeIntoCell(D->stgAmt, 1, 3, Regular);
        QCOMPARE(D->Mode, 'E');
      }
      Env->Boxes.clear();
      QTest::mouseClick(D->bbnSave, Qt::LeftButton);
      Settle();
      [&] {
        QCOMPARE(Env->BoxTexts(), std::vector<std::string>{Message.toStdString()});
        QCOMPARE(Folder.Read("20041000.123"), Before);
        QCOMPARE(D->Mode, NewMember ? 'A' : 'E');
        QVERIFY(D->bbnSave->isEnabled());
        QCOMPARE(Trans->Details.Count(), 2);
        QCOMPARE(Panel(), PanelBefore);
      }();
      // Exit, not saving: the file as it is on disk comes back (also after a
      // failed check above, so that no member beyond the trailer outlives the form).
      Env->Boxes.clear();
      Env->Answers = {mrNo};
      QTest::mouseClick(D->bbnExit, Qt::LeftButton);
      Settle();
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Save the current record?"});
      QVERIFY(!D->isVisible());
    });
    QCOMPARE(Folder.Read("20041000.123"), Before);
    QCOMPARE(Panel(), PanelBefore);
    QCOMPARE(Trans->Details[1]->GetAsString(fnContribVoluntaryPostTax), std::string("1000000.00"));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVDemogrCommands)
#include "test_VDemogrCommands.moc"

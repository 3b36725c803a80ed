// Saving the open transmittal and closing the form.

#include "TransFormFixture.h"

class TestVMainSave : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void SaveRefusedByValidationWritesNothingAndKeepsTheEdits() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    TypeIntoCell(Form->sgrContr, 5, 2, "500");  // far from 7% of the pensionable amount
    Form->sgrContr->SetEditorMode(false);
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    Form->bbnSave->click();
    QCOMPARE(Folder.Read("20041000.123"), Before);
    QCOMPARE(Env->ShownMessages.size(), size_t(1));  // the validation messages
    QCOMPARE(Env->BoxTexts().back(), std::string("Coudn't save the file!"));
    QVERIFY(Env->Beeps >= 1);
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    QCOMPARE(Form->sgrContr->Cells(5, 2), std::string("500"));
    // The totals panel already shows the recomputed totals.
    QCOMPARE(Form->lblRegular->text(), QString("$570.00"));
  }

  void ForcedSaveWritesTheFile() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    TypeIntoCell(Form->sgrContr, 5, 2, "500");
    Form->sgrContr->SetEditorMode(false);
    Form->chbSaveError->SetChecked(true);
    Form->bbnSave->click();
    QVERIFY(Env->ShownMessages.empty());
    QVERIFY(Env->Boxes.empty());
    QVERIFY(!Form->FEditing);
    QVERIFY(!Form->bbnSave->isEnabled());
    TTransShort Check;
    Check.FileName = Folder.Path("20041000.123");
    QVERIFY(Check.LoadFromFile());
    QCOMPARE(Check.Details.Count(), 2);
    QCOMPARE(Check.Details[1]->GetAsFloat(fnContribEmployeePreTax), 500.0);
    QCOMPARE(Check.Details[0]->GetAsFloat(fnContribEmployeePreTax), 70.0);
    QCOMPARE(Check.Trailer->GetAsFloat(fnTotalEmplContribAmt), 570.0);
    QCOMPARE(Form->sgrContr->Cells(5, 2), std::string("500.00"));
  }

  // The totals beside the grids and the trailer kept in memory are what the save
  // writes: a refresh after members changed, with one filtered out, leaves the
  // trailer's count and totals exactly as the saved file has them.
  void RefreshedTrailerIsTheSavedTrailer() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker", 71),
                                  Member("333333333", "Clark", 69.5)});
    TOpenForm Form;
    Trans->Details[0]->SetAsFloat(fnContribVoluntaryPostTax, 0.1);
    Trans->Details[1]->SetAsFloat(fnContribContractPostTax, 12.34);
    Trans->Details[2]->SetAsFloat(fnContribVoluntaryPostTax, 0.2);
    Trans->Details[1]->Visible = false;
    Form->RefreshGrids();
    // Columns 6 to 71: the count and the five totals.
    const std::string Refreshed(Trans->Trailer->Buffer + 5, 66);
    QCOMPARE(Form->lblGrandTotal->text(), QString("$260.64"));
    Form->chbSaveError->SetChecked(true);
    QVERIFY(Form->SaveTransmittal());
    const std::string Saved = Folder.Read("20041000.123");
    const size_t Trailer = Saved.rfind("TRAIL");
    QVERIFY(Trailer != std::string::npos);
    QCOMPARE(Saved.substr(Trailer + 5, 66), Refreshed);
  }

  void SaveCarriesTheEmployerName() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->edtEmployerName->setText("Hillside School");
    QVERIFY(Form->bbnSave->isEnabled());
    Form->bbnSave->click();
    QVERIFY(!Form->FEditing);
    QCOMPARE(Folder.Read("20041000.123").substr(8, 15), std::string("Hillside School"));
  }

  void CancelDiscardsEdits() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    TypeIntoCell(Form->sgrDemogr, 0, 1, "Zed");
    Form->sgrDemogr->SetEditorMode(false);
    Form->edtEmployerName->setText("Other");
    QVERIFY(Form->FEditing);
    Form->bbnCancel->click();
    QVERIFY(!Form->FEditing);
    QCOMPARE(Form->sgrDemogr->Cells(0, 1), std::string("Adams"));
    QCOMPARE(Form->edtEmployerName->text(), QString("Lakeside School"));
    QCOMPARE(Trans->Details[0]->GetAsString(fnLastName), std::string("Adams"));
  }

  // The close question: Cancel keeps the window, No discards, Yes saves.
  void CloseWithPendingEdits_data() {
    QTest::addColumn<int>("Answer");
    QTest::addColumn<bool>("Closes");
    QTest::addColumn<double>("Stored");
    QTest::newRow("Cancel") << int(mrCancel) << false << 70.0;
    QTest::newRow("No") << int(mrNo) << true << 70.0;
    QTest::newRow("Yes") << int(mrYes) << true << 71.0;
  }
  void CloseWithPendingEdits() {
    QFETCH(int, Answer);
    QFETCH(bool, Closes);
    QFETCH(double, Stored);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    TypeIntoCell(Form->sgrContr, 5, 1, "71");
    Form->sgrContr->SetEditorMode(false);
    Env->Answers = {Answer};
    Form->bbnExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Data modified! Save?"});
    QCOMPARE(Form.Form.isNull(), Closes);
    QCOMPARE(frmTrans == nullptr, Closes);
    QCOMPARE(Trans == nullptr, Closes);
    TTransShort Check;
    Check.FileName = Folder.Path("20041000.123");
    QVERIFY(Check.LoadFromFile());
    QCOMPARE(Check.Details[0]->GetAsFloat(fnContribEmployeePreTax), Stored);
  }

  // No to the save question reloads the file; when the reloaded file fails its
  // silent check the exit question follows, and No to it keeps the window.
  void DiscardingOnCloseThenAsksTheExitQuestion() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("12345", "Adams")});  // invalid SSN
    TOpenForm Form;
    QVERIFY(Form->chbSaveError->Checked());
    Form->chbSaveError->SetChecked(false);
    TypeIntoCell(Form->sgrContr, 5, 1, "71");
    Form->sgrContr->SetEditorMode(false);
    QVERIFY(Form->FEditing);
    Env->Answers = {mrNo, mrNo};
    const int Beeps = Env->Beeps;
    Form->bbnExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(Env->BoxTexts().size(), size_t(2));
    QCOMPARE(Env->BoxTexts()[0], std::string("Data modified! Save?"));
    QVERIFY(Env->BoxTexts()[1].find("Exit now?") != std::string::npos);
    QCOMPARE(Env->Beeps, Beeps + 1);
    QVERIFY(!Form.Form.isNull() && Form->isVisible());
    QVERIFY(!Form->FEditing);
    QVERIFY(Form->chbSaveError->Checked());
    QCOMPARE(Trans->Details[0]->GetAsFloat(fnContribEmployeePreTax), 70.0);
  }

  void ClosingAFailingFileAsksTheExitQuestion() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("12345", "Adams")});
    TOpenForm Form;
    Env->Answers = {mrNo};
    Form->bbnExit->click();
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{
                                  "This transmittal file is incomplete or has errors!\r\n"
                                  "Before sending it to KSF make sure that all problems are fixed.\r\n"
                                  "Exit now?"});
    QCOMPARE(Env->Boxes[0].Buttons, TMsgButtons::YesNo);
    QCOMPARE(Env->Beeps, 1);
    QVERIFY(!Form.Form.isNull() && Form->isVisible());
    Env->Answers = {mrYes};
    Form->bbnExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Form.Form.isNull());
  }

  void ClosingAValidFileAsksNothing() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->bbnExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Env->Boxes.empty());
    QVERIFY(Form.Form.isNull());
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainSave)
#include "test_VMain_Save.moc"

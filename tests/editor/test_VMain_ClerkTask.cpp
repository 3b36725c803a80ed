// A clerk's whole task through the real windows: open the employer from the
// selection window, key two members into the member detail form and save them,
// sort, search for one, show errors, show all and close. The file on disk then
// holds exactly the two members, byte for byte.

#include "DetailFormFixture.h"
#include "MemberCommandsFixture.h"
#include "VOpening.h"

class TestVMainClerkTask : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void TwoNewMembersSortedSearchedCheckedAndClosed() {
    TFakeEnv Env;
    Env.SetToday(2004, 11, 15);
    ScreenDPI = 96;
    LastSearchField = LastSearchOp = 0;
    LastSearchValue.clear();
    TTestFolder Folder;
    // The employer's first file, as the new-employer dialog leaves it: no member.
    Folder.Write("20041000.123", {});

    auto Opening = std::make_unique<TfrmOpening>();
    frmOpening = Opening.get();
    Opening->show();
    Opening->cmbIds->setEditText("123");
    Opening->bbnOpen->click();
    QPointer<TfrmTrans> Form(frmTrans);
    QVERIFY(!Form.isNull());
    QCOMPARE(Trans->Details.Count(), 0);

    // Going to the members' page of an empty file opens the detail form for a
    // first member; the clerk keys in two and leaves.
    bool Keyed = false;
    WhenModalShown([&](QWidget* Modal) {
      QVERIFY(Modal == frmMbrDetail && InsertMode);
      TfrmMbrDetail* D = frmMbrDetail;
      QApplication::setActiveWindow(D);
      QVERIFY(QTest::qWaitForWindowActive(D));
      FillMember(D, "987654321", "Zimmer");
      TypeInto(D->edtFirstName, "Ruth");
      D->bbnSave->click();
      QCOMPARE(D->Mode, 'B');
      D->bbnInsert->click();
      FillMember(D, "123450987", "Baker");
      D->bbnSave->click();
      QCOMPARE(D->Mode, 'B');
      D->bbnExit->click();
      Keyed = true;
    });
    QVERIFY(!Form->pgcTrans->RequestPage(1));
    QVERIFY(Keyed);
    QVERIFY2(Env.Boxes.empty(), Env.Boxes.empty() ? "" : Env.Boxes[0].Text.c_str());
    QCOMPARE(Trans->Details.Count(), 2);
    QVERIFY(Form->pgcTrans->RequestPage(1));
    const std::string Saved = Folder.Read("20041000.123");

    PressTitle(Form->sgrDemogr, 0);
    QCOMPARE(Form->StatusBar->PanelText(1), std::string("Sorted by last name (Ascending)"));
    QCOMPARE(ShownNames(Form), (std::vector<std::string>{"Baker", "Zimmer"}));

    AnswerSearch(1, soEqual, "zimmer");
    Form->bbnSearch->click();
    QCOMPARE(ShownNames(Form), std::vector<std::string>{"Zimmer"});
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("Filtered"));

    Form->bbnShowErr->click();
    QCOMPARE(Env.BoxTexts(), std::vector<std::string>{"No errors found"});
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));

    Form->bbnShowAll->click();
    QCOMPARE(ShownNames(Form).size(), size_t(2));
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));

    Form->bbnExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Form.isNull() || !Form->isVisible());
    QCOMPARE(Env.BoxTexts(), std::vector<std::string>{"No errors found"});

    // Sorting, searching and checking wrote nothing; the file is the one the
    // detail form saved, header, the two members in the order keyed, trailer.
    const std::string File = Folder.Read("20041000.123");
    QCOMPARE(File, Saved);
    const std::string Golden = ReadBytes(std::string(KSF_TEST_DATA_DIR) + "/clerk-task-20041000.123");
    if (File != Golden) WriteBytes(QDir::tempPath().toStdString() + "/clerk-task-20041000.123", File);
    QCOMPARE(File, Golden);

    delete Form.data();
    frmTrans = nullptr;
    Opening.reset();
    frmOpening = nullptr;
  }
};

QTEST_MAIN(TestVMainClerkTask)
#include "test_VMain_ClerkTask.moc"

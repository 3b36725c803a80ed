// A clerk's whole task through the real windows: open the employer from the
// selection window, key two members into the member detail form and save them,
// sort, search for one, show errors, show all and close. The file on disk then
// holds exactly the two members, byte for byte. And a member keyed in through
// Insert by the keyboard alone, at full speed, every key pressed and released
// where the focus is at that moment.

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

  void AMemberKeyedInThroughInsertLandsWhole() {
    TFakeEnv Env;
    Env.SetToday(2004, 11, 15);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    // Each step: the control the focus must be in, then what is typed there
    // (Tab to the next control follows unless the step ends with a chord).
    struct TStep {
      const char* Control;
      const char* Keys;
    };
    const TStep Steps[] = {
        {"mskSSN", "987654321"}, {"cmbNamePrefix", ""}, {"edtLastName", "ZIMMER"},
        {"edtFirstName", "RUTH"}, {"edtMiddleName", "ANN"}, {"cmbSuffix", ""},
        {"qt_tabwidget_tabbar", ""}, {"edtAddress1", "7 ELM ROAD"}, {"edtAddress2", ""},
        {"edtCity", "TROY"}, {"cmbState", ""}, {"mskZip", "12180"}, {"mskZip4", "1234"},
        {"edtEffDate", ""}, {"cmbGender", "F"}, {"edtBirthDate", "03041965"}, {"cmbMarital", ""},
        {"edtEmail", "RUTH@TROY.ORG"}, {"mskAreaCode", ""}, {"mskPhone", "5551234"},
        {"mskPhoneExt", "12"}};
    const auto Press = [](Qt::Key Key, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
      QTest::keyPress(QApplication::focusWidget(), Key, Mods);
      QTest::keyRelease(QApplication::focusWidget(), Key, Mods);
    };
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->edtLastName->setFocus();
      QTest::mouseClick(D->bbnInsert, Qt::LeftButton);
      QCOMPARE(D->Mode, 'A');
      for (const TStep& Step : Steps) {
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(Step.Control));
        QTest::keyClicks(QApplication::focusWidget(), Step.Keys);
        if (&Step != &Steps[std::size(Steps) - 1]) Press(Qt::Key_Tab);
      }
      // The amounts page, one amount after the other with Tab.
      Press(Qt::Key_Tab, Qt::ControlModifier);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->stgAmt));
      for (const char* Amount : {"1000", "1000", "100", "70", "12.50"}) {
        for (const char* C = Amount; *C != 0; ++C) QTest::keyClick(QApplication::focusWidget(), *C);
        Press(Qt::Key_Tab);
      }
      Press(Qt::Key_A, Qt::AltModifier);
      QTRY_COMPARE(D->Mode, 'B');
      QVERIFY2(Env.Boxes.empty(), Env.Boxes.empty() ? "" : Env.Boxes[0].Text.c_str());
    });
    const std::string File = Folder.Read("20041000.123");
    QCOMPARE(File.size(), size_t(154 + 2 * 328));
    TTransShort Saved;
    Saved.FileName = Folder.Path("20041000.123");
    QVERIFY(Saved.LoadFromFile());
    QCOMPARE(Saved.Details.Count(), 2);
    const TRecord* R = Saved.Details[1];
    const std::pair<const std::string*, std::string> Fields[] = {
        {&fnMemberSSN, "987654321"},       {&fnLastName, "ZIMMER"},
        {&fnFirstName, "RUTH"},            {&fnMiddleName, "ANN"},
        {&fnAddressLine1, "7 ELM ROAD"},   {&fnAddressCity, "TROY"},
        {&fnAddressZip, "12180"},          {&fnAddressZip4, "1234"},
        {&fnAddressEffectiveDate, "11/15/2004"}, {&fnGenderCD, "2"},
        {&fnBirthDate, "03/04/1965"},      {&fnAddressEMail, "RUTH@TROY.ORG"},
        {&fnPhoneNumber, "5551234"},       {&fnExtension, "12"},
        {&fnSalaryPensionAmount, "1000.00"}, {&fnSalaryEarnableAmount, "1000.00"},
        {&fnSalaryEarnableUnitsWorked, "100.00"}, {&fnContribEmployeePreTax, "70.00"},
        {&fnContribEmployerPreTax, "12.50"}, {&fnContribVoluntaryPostTax, "0.00"}};
    for (const auto& [Field, Value] : Fields)
      QCOMPARE(QString::fromStdString(R->GetAsString(*Field)).trimmed(), QString::fromStdString(Value));
  }
};

QTEST_MAIN(TestVMainClerkTask)
#include "test_VMain_ClerkTask.moc"

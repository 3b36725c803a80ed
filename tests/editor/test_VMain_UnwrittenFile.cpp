// A file that New or Revise has made but could not write: the form shows it
// with its members, so it must stay savable and must not be built upon.

#include "TransFormFixture.h"

class TestVMainUnwrittenFile : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void AFailedFirstSaveKeepsTheFileSavable_data() {
    QTest::addColumn<QString>("Command");
    QTest::addColumn<QString>("Made");
    QTest::newRow("New") << "New" << "20041000.123";
    QTest::newRow("Revise") << "Revise" << "20040901.123";
  }
  void AFailedFirstSaveKeepsTheFileSavable() {
    QFETCH(QString, Command);
    QFETCH(QString, Made);
    TTestFolder Folder;
    // A health amount of 0 fails the checks: the opening ticks the box, and the
    // clerk clears it to go on with the month.
    TTestMember Bad = Member("222222222", "Baker");
    Bad.Health = 0;
    Folder.Write("20040900.123", {Member("111111111", "Adams"), Bad});
    TOpenForm Form;
    QVERIFY(Form->chbSaveError->Checked());
    Form->chbSaveError->SetChecked(false);
    QVERIFY(Form->bbnNew->isEnabled());

    Env->Answers = {mrYes};
    if (Command == "New")
      Form->bbnNew->click();
    else
      Form->bbnRevise->click();
    QVERIFY(Env->ShownMessages.size() >= 1);
    QCOMPARE(Env->BoxTexts().back(), std::string("Coudn't save the file!"));
    QCOMPARE(OpenName(), Made.toStdString());
    QVERIFY(!Folder.Exists(Made.toStdString()));
    QCOMPARE(Trans->Details.Count(), 2);

    // Nothing is on disk yet: Save stays offered, and nothing is made from it.
    QVERIFY(Form->bbnSave->isEnabled());
    QVERIFY(!Form->bbnNew->isEnabled());
    QVERIFY(!Form->bbnRevise->isEnabled());
    QVERIFY(!Form->bbnAmend->isEnabled());

    // Closing asks about the unsaved members instead of dropping them.
    Env->Boxes.clear();
    Env->Answers = {mrCancel};
    QVERIFY(!Form->FormCloseQuery());
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Data modified! Save?"});

    // Once the clerk allows an incomplete save, the file is written.
    Form->chbSaveError->SetChecked(true);
    Form->bbnSave->click();
    QVERIFY(Folder.Exists(Made.toStdString()));
    QCOMPARE(Folder.Read(Made.toStdString()).size(), size_t(154 + 328 * 2));
    QVERIFY(!Form->bbnSave->isEnabled());
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainUnwrittenFile)
#include "test_VMain_UnwrittenFile.moc"

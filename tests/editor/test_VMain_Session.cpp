// What the preparation form works on (the employer's file tree, the transmittal
// in memory, the member detail form) belongs to that form: closing it clears
// the globals that show them, and a form that goes away after another has
// opened leaves the other's alone. Run under the sanitizers, a form freeing
// what is not its own shows as a use after free or a double free.

#include "TransFormFixture.h"
#include "VDemogr.h"

class TestVMainSession : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void ClosingClearsWhatTheFormOpened() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    QVERIFY(Files != nullptr && Trans != nullptr && frmMbrDetail != nullptr);
    QCOMPARE(VisibleRows.size(), size_t(1));
    Form->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Form.Form.isNull());
    QVERIFY(Files == nullptr && Trans == nullptr && frmMbrDetail == nullptr);
    QVERIFY(VisibleRows.empty());
  }

  // The older form goes away closed (its deletion comes later) or unclosed.
  void AnOlderFormLeavesTheNewerOnesSession_data() {
    QTest::addColumn<bool>("CloseFirst");
    QTest::newRow("closed, deleted later") << true;
    QTest::newRow("destroyed without closing") << false;
  }

  void AnOlderFormLeavesTheNewerOnesSession() {
    QFETCH(bool, CloseFirst);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams"), Member("222222222", "Baker")});
    auto Older = std::make_unique<TOpenForm>();
    if (CloseFirst) (*Older)->Close();
    TOpenForm Newer;
    TFileCollection* NewerFiles = Files;
    TTransShort* NewerTrans = Trans;
    TfrmMbrDetail* NewerDetail = frmMbrDetail;
    Older.reset();
    QCOMPARE(Files, NewerFiles);
    QCOMPARE(Trans, NewerTrans);
    QCOMPARE(frmMbrDetail, NewerDetail);
    QCOMPARE(VisibleRows.size(), size_t(2));
    // The newer form goes on working on its own file.
    Newer->pgcTrans->RequestPage(1);
    TypeIntoCell(Newer->sgrDemogr, 0, 2, "Brown");
    QVERIFY(Newer->SaveTransmittal());
    QCOMPARE(Trans->Details[1]->GetAsString(fnLastName), std::string("Brown"));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainSession)
#include "test_VMain_Session.moc"

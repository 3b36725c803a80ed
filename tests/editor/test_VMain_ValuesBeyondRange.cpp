// A file holding values the program cannot keep: amounts that fit their columns
// but not a stored amount, or totals too large for the trailer. Such a file is
// told once and shown read-only with nothing built from it, and the window can
// always be left; the file on disk is never touched.

#include "HandEditFixture.h"

namespace {

// Raw bytes over a field of one line: 0 the header, k member k, -1 the trailer.
struct TPatch {
  int Line;
  const std::string* Field;
  const char* Bytes;
};

struct TBadFile {
  const char* What;
  std::vector<TPatch> Patches;
  const char* Error;  // the one box the opening shows
};

// Three members of 70.00 regular and 12.50 health, the patches put over them.
const std::vector<TBadFile>& BadFiles() {
  static const std::vector<TBadFile> Files = {
      {"voluntary total beyond the stored range",
       {{1, &fnContribVoluntaryPostTax, "1500000000"},
        {2, &fnContribVoluntaryPostTax, "1500000000"},
        {3, &fnContribVoluntaryPostTax, "1500000000"},
        {-1, &fnTotalVolContribAmt, "4500000000"},
        {-1, &fnTotalReceivables, "4500024750"}},
       "Value 45000000.00 does not fit field TotalVolContribAmt"},
      {"voluntary total beyond the range, a blank gender to fill",
       {{1, &fnGenderCD, " "},
        {1, &fnContribVoluntaryPostTax, "1500000000"},
        {2, &fnContribVoluntaryPostTax, "1500000000"},
        {3, &fnContribVoluntaryPostTax, "1500000000"}},
       "Value 45000000.00 does not fit field TotalVolContribAmt"},
      {"sums that fit, a grand total that does not",
       {{1, &fnContribEmployeePreTax, "1500000000"}, {2, &fnContribEmployerPreTax, "1500000000"}},
       "Value 30000165.00 does not fit field TotalReceivables"},
      {"a member's amount beyond its field",
       {{2, &fnContribContractPostTax, "9999999999"}},
       "Value 99999999.99 does not fit field ContribContractPostTax"},
      {"a member's amount beyond its field, a blank gender to fill",
       {{1, &fnGenderCD, " "}, {2, &fnContribContractPostTax, "9999999999"}},
       "Value 99999999.99 does not fit field ContribContractPostTax"},
      {"a negative pay beyond its field",
       {{3, &fnSalaryPensionAmount, "-9999999999"}},
       "Value -99999999.99 does not fit field SalaryPensionAmount"},
  };
  return Files;
}

// Writes the three members, then the patches over their lines.
void WriteBadFile(const TTestFolder& Folder, const std::string& Name, const TBadFile& Bad) {
  Folder.Write(Name, {Member("111111111", "Adams"), Member("222222222", "Baker"), Member("333333333", "Clark")});
  std::string File = Folder.Read(Name);
  for (const TPatch& P : Bad.Patches) {
    const TField& F = LayoutField(ListOfLine(P.Line), *P.Field);
    std::string Bytes = P.Bytes;
    Bytes.resize(static_cast<size_t>(F.Length), ' ');
    File.replace(LineStart(File, P.Line) + static_cast<size_t>(F.Start - 1), Bytes.size(), Bytes);
  }
  WriteBytes(Folder.Path(Name), File);
}

// Exit, with the exit warning about an incomplete file answered Yes: the window
// must be gone, and no box but that warning shown on the way.
void ExitAndExpectTheWindowClosed(TOpenForm& Form, TFakeEnv& Env) {
  Env.Boxes.clear();
  Env.Answers = {mrYes};
  Form->bbnExit->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(Form.Form.isNull());
  QVERIFY(Env.Boxes.size() <= 1);
  for (const std::string& Text : Env.BoxTexts()) QVERIFY(Text.find("Exit now?") != std::string::npos);
}

}  // namespace

class TestVMainValuesBeyondRange : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void OpensReadOnlyWithOneBoxAndCanBeLeft_data() {
    QTest::addColumn<int>("Case");
    for (size_t I = 0; I < BadFiles().size(); ++I) QTest::newRow(BadFiles()[I].What) << int(I);
  }
  void OpensReadOnlyWithOneBoxAndCanBeLeft() {
    QFETCH(int, Case);
    const TBadFile& Bad = BadFiles()[static_cast<size_t>(Case)];
    TTestFolder Folder;
    WriteBadFile(Folder, "20041000.123", Bad);
    const std::string Before = Folder.Read("20041000.123");

    TOpenForm Form;
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{Bad.Error});
    QCOMPARE(Env->Boxes[0].Kind, TMsgKind::ErrorBox);
    QCOMPARE(OpenName(), std::string("20041000.123"));
    QVERIFY(ReadOnlyMode);
    QCOMPARE(Form->StatusBar->PanelText(2), std::string("Read Only"));
    QCOMPARE(Trans->Details.Count(), 0);  // nothing is built from it
    QVERIFY(!Form->FEditing);
    QVERIFY(!Form->bbnSave->isEnabled());
    QVERIFY(!Form->bbnInsert->isEnabled());
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(!Form->bbnSave->isEnabled());

    ExitAndExpectTheWindowClosed(Form, *Env);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(Folder.Read("20041000.123"), Before);
  }

  // Moving away and back opens it again, with its one box each time; Cancel on
  // it reads nothing and tells nothing.
  void MovingToItAndCancelRaiseNothingFurther() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    WriteBadFile(Folder, "20041000.123", BadFiles()[0]);
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{BadFiles()[0].Error});

    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QCOMPARE(Trans->Details.Count(), 1);
    QCOMPARE(Env->Boxes.size(), size_t(1));

    Form->dbnNext->BtnClick(nbNext);
    QCOMPARE(OpenName(), std::string("20041000.123"));
    QCOMPARE(Env->BoxTexts(), (std::vector<std::string>{BadFiles()[0].Error, BadFiles()[0].Error}));
    QVERIFY(ReadOnlyMode);

    Form->bbnCancel->click();
    QCOMPARE(Env->Boxes.size(), size_t(2));
    QVERIFY(ReadOnlyMode);
    QVERIFY(!Form->bbnSave->isEnabled());

    ExitAndExpectTheWindowClosed(Form, *Env);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(Folder.Read("20041000.123"), Before);
  }

  // An edit is pending when the file on disk turns into one that cannot be
  // kept: No to the save question reads it again, which tells the error once,
  // and the window closes all the same.
  void ExitAnsweredNoClosesWhenTheReloadRaises() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    QVERIFY(Env->Boxes.empty());
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(Form->FEditing);
    WriteBadFile(Folder, "20041000.123", BadFiles()[0]);
    const std::string Before = Folder.Read("20041000.123");

    Env->Answers = {mrNo, mrOk, mrYes};
    Form->bbnExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Form.Form.isNull());
    QCOMPARE(Env->BoxTexts(), (std::vector<std::string>{"Data modified! Save?", BadFiles()[0].Error}));
    QCOMPARE(Folder.Read("20041000.123"), Before);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainValuesBeyondRange)
#include "test_VMain_ValuesBeyondRange.moc"

// The member detail form's SSN check beside a file of the month that cannot be
// read whole: the clerk is told once which file and that the number was checked
// only against the members read from it, every key typed lands in the SSN box,
// and a member that passes its checks is saved.

#include "DetailFormFixture.h"
#include "HandEditFixture.h"

namespace {

// Why a file of the month cannot be read whole.
enum class TUnread {
  None,           // it can
  TotalsBeyond,   // voluntary amounts of 15,000,000.00: each fits, their total does not
  CutShortAfter1  // the file stops inside its second member's line
};

// Another file of the month: amendment 1 (or 2) of October 2004.
struct TMonthFile {
  const char* Name;
  TUnread How;
  std::vector<TTestMember> Members;
};

void WriteMonthFile(const TTestFolder& Folder, const TMonthFile& F) {
  Folder.Write(F.Name, F.Members);
  std::string File = Folder.Read(F.Name);
  auto Put = [&](int Line, const std::string& Field, const std::string& Bytes) {
    const TField& Descriptor = LayoutField(ListOfLine(Line), Field);
    std::string Padded = Bytes;
    Padded.resize(static_cast<size_t>(Descriptor.Length), ' ');
    File.replace(LineStart(File, Line) + static_cast<size_t>(Descriptor.Start - 1), Padded.size(),
                 Padded);
  };
  const size_t N = F.Members.size();
  switch (F.How) {
    case TUnread::None:
      return;
    case TUnread::TotalsBeyond:
      // The trailer as a writer without our limit would have summed it, in cents.
      for (size_t Line = 1; Line <= N; ++Line)
        Put(static_cast<int>(Line), fnContribVoluntaryPostTax, "1500000000");
      Put(-1, fnTotalVolContribAmt, std::to_string(1500000000 * N));
      Put(-1, fnTotalReceivables, std::to_string((1500000000 + 7000 + 1250) * N));
      break;
    case TUnread::CutShortAfter1:
      File.resize(LineStart(File, 2) + 100);
      break;
  }
  WriteBytes(Folder.Path(F.Name), File);
}

// Amendment 0 of October 2004 with three members that pass, the month's other
// files beside it, and the preparation form showing amendment 0.
struct TMonth {
  explicit TMonth(const std::vector<TMonthFile>& Others,
                  const std::string& ThirdSSN = "333333333") {
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker"),
                                  Member(ThirdSSN, "Clark")});
    for (const TMonthFile& F : Others) WriteMonthFile(Folder, F);
    Form = std::make_unique<TOpenForm>();
    for (int I = 0; I < 3 && OpenName() != "20041000.123"; ++I) (*Form)->dbnPrev->BtnClick(nbPrior);
    // A cut file opened first leaves incomplete saves allowed, and with them the
    // checks off; amendment 0 itself passes them.
    (*Form)->chbSaveError->SetChecked(false);
  }
  TTestFolder Folder;
  std::unique_ptr<TOpenForm> Form;
};

const TMonthFile AmountsBeyond1 = {"20041010.123",
                                   TUnread::TotalsBeyond,
                                   {Member("666666666", "Dunn"), Member("777777777", "Eddy")}};

const char* const Beyond1Text =
    "The file 20041010.123 holds a total beyond 21,474,836.47, which the program cannot store.";

std::string Notice(const std::string& Files, const std::string& SSN, bool Several = false) {
  return Files + "\nSSN " + SSN + " was checked only against the members that could be read from " +
         (Several ? "them." : "it.");
}

// Keys pressed and released where the focus is at each moment, as a keyboard
// sends them: one after the other, with no event loop in between.
void Type(const QString& Keys) {
  for (QChar C : Keys) QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
}
void Press(Qt::Key Key) { QTest::keyClick(QApplication::focusWidget(), Key); }

// The boxes shown so far, as a list a failed comparison prints.
QStringList Shown(const TFakeEnv& Env) {
  QStringList Texts;
  for (const std::string& T : Env.BoxTexts()) Texts << QString::fromStdString(T);
  return Texts;
}
QStringList Texts(const std::vector<std::string>& List) {
  QStringList Result;
  for (const std::string& T : List) Result << QString::fromStdString(T);
  return Result;
}

}  // namespace

class TestVDemogrUnreadMonth : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  // The notice comes once for the member shown, at the key that completes the
  // number; keys typed over a full number bring no box, so none is lost to
  // one. A box acts here as a real one does: it takes the focus while it is up.
  void EveryKeyTypedOverTheNumberLands_data() {
    QTest::addColumn<bool>("NewMember");
    QTest::newRow("a new member, typed, then typed over") << true;
    QTest::newRow("a saved member, typed over") << false;
  }
  void EveryKeyTypedOverTheNumberLands() {
    QFETCH(bool, NewMember);
    TMonth Month({AmountsBeyond1}, NewMember ? "333333333" : "444556666");
    QCOMPARE(OpenName(), std::string("20041000.123"));
    TOpenForm& Form = *Month.Form;
    Form->sgrDemogr->SetRow(3);
    Env->Boxes.clear();
    Env->WhileShown = ImitateModalWindow;
    DETAIL(Form, NewMember, [&](TfrmMbrDetail* D) {
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
      if (NewMember) {
        Type("444556666");
        QCOMPARE(Shown(*Env),
                 QStringList{QString::fromStdString(Notice(Beyond1Text, "444-55-6666"))});
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
        Env->Boxes.clear();
      }
      QCOMPARE(D->mskSSN->Text(), std::string("444556666"));
      Press(Qt::Key_Home);
      Type("999887777");
      QCOMPARE(D->mskSSN->Text(), std::string("999887777"));
      QCOMPARE(Shown(*Env), QStringList{});
      QCOMPARE(D->Mode, NewMember ? 'A' : 'E');
      if (!NewMember) return;
      // Completed again, the same member is told nothing more.
      Press(Qt::Key_End);
      Press(Qt::Key_Backspace);
      Type("7");
      QCOMPARE(D->mskSSN->Text(), std::string("999887777"));
      QCOMPARE(Shown(*Env), QStringList{});
      // A new blank member is told afresh.
      QTest::mouseClick(D->bbnCancel, Qt::LeftButton);
      QCOMPARE(D->Mode, 'B');
      QTest::mouseClick(D->bbnInsert, Qt::LeftButton);
      QCOMPARE(D->Mode, 'A');
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
      Type("999887777");
      QCOMPARE(Shown(*Env),
               QStringList{QString::fromStdString(Notice(Beyond1Text, "999-88-7777"))});
    });
  }

  // What the check could read counts: a number held by a member read from a
  // file that was not read whole is a duplicate as the Part's refusal says,
  // with no notice beside it; a number it could not have seen brings the
  // notice, naming every such file once, in one box.
  void WhatCouldBeReadIsCounted_data() {
    QTest::addColumn<int>("Files");  // 0: amendment 1 beyond range; 1: it cut short; 2: both kinds
    QTest::addColumn<QString>("SSN");
    QTest::addColumn<QString>("Box");  // empty: none
    const QString CutText = "The file 20041010.123 could not be read completely.";
    QTest::newRow("a member of a file beyond range") << 0 << "666666666"
                                                     << "SSN 666-66-6666 is not unique!";
    QTest::newRow("a member read before the cut") << 1 << "666666666"
                                                  << "SSN 666-66-6666 is not unique!";
    QTest::newRow("a member held after the cut")
        << 1 << "777777777" << QString::fromStdString(Notice(CutText.toStdString(), "777-77-7777"));
    QTest::newRow("two files, a number in neither")
        << 2 << "888888888"
        << QString::fromStdString(Notice(
               std::string(Beyond1Text) + "\nThe file 20041020.123 could not be read completely.",
               "888-88-8888", true));
    QTest::newRow("every file read whole") << 3 << "888888888"
                                           << "";
  }
  void WhatCouldBeReadIsCounted() {
    QFETCH(int, Files);
    QFETCH(QString, SSN);
    QFETCH(QString, Box);
    const std::vector<TTestMember> Two = {Member("666666666", "Dunn"), Member("777777777", "Eddy")};
    std::vector<TMonthFile> Others;
    if (Files == 0 || Files == 2) Others.push_back(AmountsBeyond1);
    if (Files == 1) Others.push_back({"20041010.123", TUnread::CutShortAfter1, Two});
    if (Files == 2)
      Others.push_back({"20041020.123",
                        TUnread::CutShortAfter1,
                        {Member("555555555", "Ford"), Member("565656565", "Gray")}});
    if (Files == 3) Others.push_back({"20041010.123", TUnread::None, Two});
    TMonth Month(Others);
    QCOMPARE(OpenName(), std::string("20041000.123"));
    TOpenForm& Form = *Month.Form;
    Env->Boxes.clear();
    DETAIL(Form, true, [&](TfrmMbrDetail* D) {
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->mskSSN));
      Type(SSN);
      QCOMPARE(D->mskSSN->Text(), SSN.toStdString());
      QCOMPARE(Shown(*Env), Box.isEmpty() ? QStringList{} : QStringList{Box});
    });
  }

  // A save is told once, whatever was typed before it, and then the member's
  // own checks decide: a member that passes is saved, one that fails is not.
  void SaveIsToldOnceAndTheChecksDecide_data() {
    QTest::addColumn<bool>("NewMember");
    QTest::addColumn<bool>("Passes");
    QTest::newRow("a new member that passes") << true << true;
    QTest::newRow("a new member without a city") << true << false;
    QTest::newRow("a saved member that passes") << false << true;
  }
  void SaveIsToldOnceAndTheChecksDecide() {
    QFETCH(bool, NewMember);
    QFETCH(bool, Passes);
    TMonth Month({AmountsBeyond1});
    QCOMPARE(OpenName(), std::string("20041000.123"));
    TOpenForm& Form = *Month.Form;
    QVERIFY(!Form->chbSaveError->Checked());
    const std::string Before = Month.Folder.Read("20041000.123");
    DETAIL(Form, NewMember, [&](TfrmMbrDetail* D) {
      if (NewMember) {
        FillMember(D, "444556666", "Young");
        if (!Passes) D->edtCity->SetText("");
      } else {
        TypeInto(D->edtFirstName, "Anne");
      }
      const std::string SSN = NewMember ? "444-55-6666" : "111-11-1111";
      Env->Boxes.clear();
      QTest::mouseClick(D->bbnSave, Qt::LeftButton);
      Settle();
      std::vector<std::string> Expected = {Notice(Beyond1Text, SSN)};
      if (!Passes) Expected.push_back("The city is required!");
      QCOMPARE(Shown(*Env), Texts(Expected));
      QCOMPARE(D->Mode, Passes ? 'B' : 'I');
    });
    const std::string After = Month.Folder.Read("20041000.123");
    if (!Passes) {
      QCOMPARE(After, Before);
      return;
    }
    QCOMPARE(After.size(), Before.size() + (NewMember ? 328 : 0));
    QVERIFY(After.find(NewMember ? "444556666" : "Anne") != std::string::npos);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVDemogrUnreadMonth)
#include "test_VDemogrUnreadMonth.moc"

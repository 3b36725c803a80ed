// Stepping through an employer's files with the navigator pairs and the files menu.

#include "TransFormFixture.h"

namespace {
// Employer 123: the report of September 2004 with a revision, its amendment 1,
// and October's report.
void WriteFourFiles(const TTestFolder& Folder) {
  Folder.Write("20040900.123", {Member("111111111", "Adams")});
  Folder.Write("20040901.123", {Member("111111111", "Adams")});
  Folder.Write("20040910.123", {Member("222222222", "Baker")});
  Folder.Write("20041000.123", {Member("111111111", "Adams")});
}

// "name caption" of every item, depth first, with two blanks per level.
void Flatten(const TMenuItem& Item, int Depth, std::vector<std::string>& Out) {
  for (int I = 0; I < Item.Count(); ++I) {
    const TMenuItem* Sub = Item.Items(I);
    Out.push_back(std::string(static_cast<size_t>(Depth) * 2, ' ') + Sub->Name + " " + Sub->Caption);
    Flatten(*Sub, Depth + 1, Out);
  }
}

TMenuItem* FindItem(TMenuItem& Item, const std::string& Name) {
  for (int I = 0; I < Item.Count(); ++I) {
    if (Item.Items(I)->Name == Name) return Item.Items(I);
    if (TMenuItem* Found = FindItem(*Item.Items(I), Name)) return Found;
  }
  return nullptr;
}
}  // namespace

class TestVMainNavigation : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void PriorFirstAndLastWalkTheFilesInOrder() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20041000.123"));
    struct TStep {
      TDBNavigator* Pair;
      TNavigateBtn Button;
      const char* Opened;
      int Beeps;
    };
    const std::vector<TStep> Steps = {
        {Form->dbnPrev, nbPrior, "20040910.123", 0}, {Form->dbnPrev, nbPrior, "20040901.123", 0},
        {Form->dbnPrev, nbPrior, "20040900.123", 0}, {Form->dbnPrev, nbPrior, "20040900.123", 1},
        {Form->dbnPrev, nbFirst, "20040900.123", 1}, {Form->dbnNext, nbNext, "20040901.123", 0},
        {Form->dbnNext, nbLast, "20041000.123", 0},  {Form->dbnNext, nbLast, "20041000.123", 1},
        {Form->dbnNext, nbNext, "20041000.123", 1},  {Form->dbnPrev, nbFirst, "20040900.123", 0},
    };
    for (size_t I = 0; I < Steps.size(); ++I) {
      const int Before = Env->Beeps;
      Steps[I].Pair->BtnClick(Steps[I].Button);
      QVERIFY2(OpenName() == Steps[I].Opened, qPrintable(QString("step %1").arg(I)));
      QVERIFY2(Env->Beeps - Before == Steps[I].Beeps, qPrintable(QString("step %1").arg(I)));
    }
    QVERIFY(Env->Boxes.empty());
  }

  void ThePeriodLabelsFollowTheOpenedFile() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    QCOMPARE(Form->edtMonthYear->text(), QString("October, 2004"));
    QCOMPARE(Form->lblPeriod->text(), QString("2"));
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(Form->edtMonthYear->text(), QString("September, 2004"));
    QCOMPARE(Form->lblAmend->text(), QString("1"));
    QCOMPARE(Form->lblRevision->text(), QString("0"));
    QCOMPARE(Form->lblPeriod->text(), QString("1"));
    QCOMPARE(Form->lblFiscYear->text(), QString("2005"));
  }

  void FilesMenuMirrorsTheTreeNewestFirst() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    std::vector<std::string> Items;
    Flatten(Form->pmnFiles->Items, 0, Items);
    QCOMPARE(Items, (std::vector<std::string>{
                        "B10200400 October, 2004",
                        "B09200400 September, 2004",
                        "  A09200410 Amendment 1",
                        "  A09200400 Report",
                        "    R09200401 Revision 1",
                        "    R09200400 Original submission",
                    }));
  }

  void SingleAmendmentWithRevisionsHangsUnderThePeriod() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040901.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    std::vector<std::string> Items;
    Flatten(Form->pmnFiles->Items, 0, Items);
    QCOMPARE(Items, (std::vector<std::string>{"B09200400 September, 2004", "  R09200401 Revision 1",
                                              "  R09200400 Original submission"}));
  }

  void ChoosingFromTheFilesMenuOpensTheFile() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    TMenuItem* Revision1 = FindItem(Form->pmnFiles->Items, "R09200401");
    QVERIFY(Revision1 != nullptr);
    // The opening rebuilds the menu from inside the item's own click.
    Revision1->Click();
    QCOMPARE(OpenName(), std::string("20040901.123"));
    QCOMPARE(Form->edtMonthYear->text(), QString("September, 2004"));
    QVERIFY(ReadOnlyMode);  // October is the last period
    // An item with sub-items opens nothing; a leaf period opens its report.
    FindItem(Form->pmnFiles->Items, "A09200400")->Click();
    QCOMPARE(OpenName(), std::string("20040901.123"));
    FindItem(Form->pmnFiles->Items, "B10200400")->Click();
    QCOMPARE(OpenName(), std::string("20041000.123"));
  }

  // A typed employer name is not dropped by a choice from the files menu: the
  // save question comes first, and Cancel keeps the name and the file.
  void ChoosingAsksAboutATypedEmployerName() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    QVERIFY(!ReadOnlyMode);
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(Form->FEditing);
    const QString Typed = Form->edtEmployerName->text();
    Env->Answers = {mrCancel};
    FindItem(Form->pmnFiles->Items, "R09200401")->Click();
    QCOMPARE(Env->BoxTexts().back(), std::string("Data modified! Save?"));
    QCOMPARE(OpenName(), std::string("20041000.123"));
    QCOMPARE(Form->edtEmployerName->text(), Typed);
    QVERIFY(Form->FEditing);
    Env->Answers = {mrNo};
    FindItem(Form->pmnFiles->Items, "R09200401")->Click();
    QCOMPARE(OpenName(), std::string("20040901.123"));
  }

  // After a choice the focus moves on as Tab would, not into the tree button.
  void ChoosingMovesTheFocusToTheNextTabStop() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    QApplication::setActiveWindow(Form.Form);
    Form->edtMonthYear->setFocus();
    FindItem(Form->pmnFiles->Items, "A09200410")->Click();
    QCOMPARE(OpenName(), std::string("20040910.123"));
    QWidget* Focus = QApplication::focusWidget();
    QVERIFY(Focus != nullptr);
    QVERIFY(Focus != Form->edtMonthYear && Focus != Form->bbnTree);
    QVERIFY(Focus->focusPolicy() & Qt::TabFocus);
    QVERIFY(Form->dbnNext->isAncestorOf(Focus));
  }

  void MenuItemThatDoesNotReadBackDoesNothing() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    TMenuItem Bad("Bxx2004a0", "broken");
    Form->FilesMenuClick(&Bad);
    QCOMPARE(OpenName(), std::string("20041000.123"));
    QVERIFY(Env->Boxes.empty());
  }

  void NavigatorAsksAboutPendingEdits() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    TypeIntoCell(Form->sgrContr, 5, 1, "71");
    QVERIFY(Form->FEditing);
    Env->Answers = {mrCancel};
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20041000.123"));
    QCOMPARE(Env->Boxes.back().Text, std::string("Data modified! Save?"));
    QCOMPARE(Env->Boxes.back().Kind, TMsgKind::ConfirmDialog);
    QVERIFY(Form->FEditing);
    Env->Answers = {mrNo};
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20040910.123"));
    Form->dbnNext->BtnClick(nbLast);
    QCOMPARE(Trans->Details[0]->GetAsFloat(fnContribEmployeePreTax), 70.0);
  }

  void HelpAndF1OpenTheHelp() {
    TTestFolder Folder;
    WriteFourFiles(Folder);
    TOpenForm Form;
    Form->bbnHelp->click();
    QApplication::setActiveWindow(Form.Form);
    Form->edtEmployerName->setFocus();
    QTest::keyClick(Form->edtEmployerName, Qt::Key_F1);
    QCOMPARE(Env->HelpOpened, 2);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainNavigation)
#include "test_VMain_Navigation.moc"

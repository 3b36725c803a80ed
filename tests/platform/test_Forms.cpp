// Forms and small controls: modal results handed over before the click handler
// and taking effect after it, closing from inside a handler through the close
// query, Esc and the cancel button, the key preview, check boxes that click when
// the program sets them, navigator buttons, run-time popup menus, the status
// bar, the page control that can refuse a change, scaling, help and version.

#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "Controls.h"
#include "FakeEnv.h"
#include "Forms.h"
#include "Help.h"
#include "PageControl.h"
#include "QtEnv.h"
#include "QtTestSupport.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "Utils.h"
#include "Version.h"

class TestForms : public QObject {
  Q_OBJECT
 private slots:
  void ButtonGivesModalResultBeforeHandler();
  void HandlerCanWithdrawModalResult();
  void CloseFromHandlerWaitsForCloseQuery();
  void EscClicksEnabledCancelButtonOnly();
  void EnterPressesFocusedButton();
  void KeyPreviewSeesKeysFirst();
  void KeyPreviewMayCloseTheCellEditor();
  void CheckBoxClicksWhenProgramSetsIt();
  void NavigatorReportsButton();
  void PopupMenuItemsCarryNames();
  void StatusBarPanelsHaveFixedWidths();
  void PageChangeCanBeRefused();
  void ScalingTruncates_data();
  void ScalingTruncates();
  void HelpOpensContents();
  void VersionIsCompiledIn();
};

// A dialog with an OK glyph button; the test clicks it once the dialog runs.
struct TDialogFixture {
  TForm Form;
  TBitBtn* Ok = new TBitBtn("&Open", &Form);
  TBitBtn* Cancel = new TBitBtn("E&xit", &Form);
  TDialogFixture() {
    Ok->SetModalResult(mrOk);
    Cancel->SetModalResult(mrCancel);
    Form.SetCancelButton(Cancel);
    Cancel->move(0, 40);
  }
};

void TestForms::ButtonGivesModalResultBeforeHandler() {
  TFakeEnv Fake;
  TDialogFixture F;
  int SeenInHandler = -1;
  bool VisibleAfterHandler = false;
  F.Ok->OnClick = [&]() {
    SeenInHandler = F.Form.ModalResult();
    QTimer::singleShot(0, [&]() {});  // the close waits for the handler's return
    VisibleAfterHandler = F.Form.isVisible();
  };
  WhenModalShown([&](QWidget*) { F.Ok->click(); });
  QCOMPARE(F.Form.ShowModal(), int(mrOk));
  QCOMPARE(SeenInHandler, int(mrOk));
  QVERIFY(VisibleAfterHandler);
  QVERIFY(!F.Form.isVisible());
}

void TestForms::HandlerCanWithdrawModalResult() {
  TFakeEnv Fake;
  TDialogFixture F;
  int Clicks = 0;
  F.Ok->OnClick = [&]() {
    if (++Clicks == 1) F.Form.SetModalResult(mrNone);  // a refusal keeps the dialog open
  };
  WhenModalShown([&](QWidget*) {
    F.Ok->click();
    QTimer::singleShot(20, [&]() {
      QVERIFY(F.Form.isVisible());
      F.Ok->click();
    });
  });
  QCOMPARE(F.Form.ShowModal(), int(mrOk));
  QCOMPARE(Clicks, 2);
}

void TestForms::CloseFromHandlerWaitsForCloseQuery() {
  TFakeEnv Fake;
  TDialogFixture F;
  TBitBtn* Act = new TBitBtn("Act", &F.Form);
  std::vector<std::string> Order;
  int Queries = 0;
  F.Form.OnCloseQuery = [&](bool& CanClose) {
    Order.push_back("query");
    CanClose = ++Queries > 1;  // the first close is refused
  };
  F.Form.OnClose = [&]() { Order.push_back("close"); };
  Act->OnClick = [&]() {
    F.Form.Close();
    Order.push_back("handler ends");
  };
  WhenModalShown([&](QWidget*) {
    Act->click();
    QTimer::singleShot(20, [&]() { Act->click(); });
  });
  QCOMPARE(F.Form.ShowModal(), int(mrCancel));
  QCOMPARE(Order, (std::vector<std::string>{"handler ends", "query", "handler ends", "query", "close"}));
}

void TestForms::EscClicksEnabledCancelButtonOnly() {
  TFakeEnv Fake;
  TDialogFixture F;
  int CancelClicks = 0;
  F.Cancel->OnClick = [&]() { ++CancelClicks; };
  WhenModalShown([&](QWidget* Modal) {
    F.Cancel->setEnabled(false);
    QTest::keyClick(Modal, Qt::Key_Escape);  // nothing: the cancel button is disabled
    QVERIFY(F.Form.isVisible());
    F.Cancel->setEnabled(true);
    QTest::keyClick(Modal, Qt::Key_Escape);
  });
  QCOMPARE(F.Form.ShowModal(), int(mrCancel));
  QCOMPARE(CancelClicks, 1);
}

// Enter presses the focused button; from any other control it presses the
// default button.
void TestForms::EnterPressesFocusedButton() {
  TFakeEnv Fake;
  TDialogFixture F;
  auto* Edit = new QLineEdit(&F.Form);
  Edit->move(0, 80);
  F.Form.SetDefaultButton(F.Ok);
  std::vector<std::string> Clicked;
  F.Ok->OnClick = [&]() { Clicked.push_back("open"); };
  F.Cancel->OnClick = [&]() { Clicked.push_back("exit"); };
  WhenModalShown([&](QWidget* Modal) {
    QApplication::setActiveWindow(Modal);
    QVERIFY(QTest::qWaitForWindowActive(Modal));
    F.Ok->SetModalResult(mrNone);  // keep the dialog open for the second key
    Edit->setFocus();
    QTest::keyClick(Edit, Qt::Key_Return);
    F.Cancel->setFocus();
    QTest::keyClick(F.Cancel, Qt::Key_Return);
    QTimer::singleShot(0, &F.Form, [&]() {
      if (F.Form.isVisible()) F.Form.SetModalResult(mrAbort);  // never hang the run
    });
  });
  QCOMPARE(F.Form.ShowModal(), int(mrCancel));
  QCOMPARE(Clicked, (std::vector<std::string>{"open", "exit"}));
}

void TestForms::KeyPreviewSeesKeysFirst() {
  TFakeEnv Fake;
  TForm Form;
  auto* Edit = new QLineEdit(&Form);
  Form.KeyPreview = true;
  std::vector<uint16_t> Keys;
  Form.OnKeyDown = [&](uint16_t& Key, TShiftState) {
    Keys.push_back(Key);
    if (Key == VK_F1) Key = 0;
  };
  Form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&Form));
  Edit->setFocus();
  QTest::keyClick(Edit, Qt::Key_F1);
  QTest::keyClick(Edit, Qt::Key_A);
  QCOMPARE(Keys, (std::vector<uint16_t>{VK_F1, 'A'}));  // once each, though the key travels up
  QCOMPARE(Edit->text(), QString("a"));
}

// A previewed key whose handler opens a box, which takes the focus from a grid's
// cell editor (the grid closes and destroys it meanwhile), is taken by the form:
// it reaches neither the editor that is gone nor any other.
void TestForms::KeyPreviewMayCloseTheCellEditor() {
  TFakeEnv Fake;
  TForm Form;
  auto* Grid = new TStringGrid(&Form);
  Grid->resize(300, 200);
  Grid->SetOptions(goEditing | goTabs);
  Grid->SetCells(1, 1, "kept");
  Form.KeyPreview = true;
  std::vector<uint16_t> Keys;
  Form.OnKeyDown = [&](uint16_t& Key, TShiftState) {
    Keys.push_back(Key);
    if (Key == 'X') ImitateModalWindow();
  };
  Form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&Form));
  Grid->setFocus();
  Grid->SetEditorMode(true);
  QPointer<QLineEdit> Editor = Grid->InplaceEditor();
  QVERIFY(!Editor.isNull());
  QTest::keyPress(Editor, Qt::Key_X);
  QCoreApplication::processEvents();
  QVERIFY(Editor.isNull());
  QCOMPARE(Grid->Cells(1, 1), std::string("kept"));
  // The form goes on: the next key is previewed and types into a new editor.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y);
  QCOMPARE(Keys, (std::vector<uint16_t>{'X', 'Y'}));
  QCOMPARE(Grid->Cells(1, 1), std::string("y"));
}

void TestForms::CheckBoxClicksWhenProgramSetsIt() {
  TFakeEnv Fake;
  TCheckBox Box("Allow in&complete saves");
  int Clicks = 0;
  Box.OnClick = [&]() { ++Clicks; };
  Box.SetChecked(true);
  QCOMPARE(Clicks, 1);
  Box.SetChecked(true);  // no change, no click
  QCOMPARE(Clicks, 1);
  Box.click();
  QCOMPARE(Clicks, 2);
  QVERIFY(!Box.Checked());
}

void TestForms::NavigatorReportsButton() {
  TFakeEnv Fake;
  TDBNavigator Prev({nbFirst, nbPrior});
  std::vector<TNavigateBtn> Pressed;
  Prev.OnClick = [&](TNavigateBtn Button) { Pressed.push_back(Button); };
  QVERIFY(Prev.Button(nbNext) == nullptr);
  Prev.Button(nbPrior)->click();
  Prev.Button(nbFirst)->click();
  QCOMPARE(Pressed, (std::vector<TNavigateBtn>{nbPrior, nbFirst}));
}

void TestForms::PopupMenuItemsCarryNames() {
  TFakeEnv Fake;
  TPopupMenu Menu;
  std::vector<std::string> Chosen;
  auto Rebuild = [&]() {
    Menu.Items.Clear();
    TMenuItem* Period = Menu.Items.Add(std::make_unique<TMenuItem>("B09200400", "September, 2004"));
    TMenuItem* Rev = Period->Add(std::make_unique<TMenuItem>("R09200401", "Revision 1"));
    Period->Add(std::make_unique<TMenuItem>("R09200400", "Original submission"));
    for (TMenuItem* Item : {Period, Rev, Period->Items(1)})
      Item->OnClick = [&](TMenuItem* Sender) { Chosen.push_back(Sender->Name); };
  };
  Rebuild();
  QTimer::singleShot(50, [&]() {
    QMenu* Shown = Menu.ShownMenu();
    QVERIFY(Shown != nullptr);
    auto* Sub = Shown->findChild<QMenu*>("B09200400");
    QVERIFY(Sub != nullptr);
    QAction* Item = Sub->findChild<QAction*>("R09200401");
    QVERIFY(Item != nullptr);
    Item->trigger();
    Shown->close();
  });
  // The handler rebuilds the menu, destroying the item it was called for.
  Menu.Items.Items(0)->Items(0)->OnClick = [&](TMenuItem* Sender) {
    Chosen.push_back(Sender->Name);
    Rebuild();
  };
  Menu.Popup(10, 10);
  QCOMPARE(Chosen, (std::vector<std::string>{"R09200401"}));
  QCOMPARE(Menu.Items.Count(), 1);
  std::unique_ptr<TMenuItem> Taken = Menu.Items.Extract(0);
  QCOMPARE(Taken->Count(), 2);
  QVERIFY(Taken->Parent() == nullptr);
}

void TestForms::StatusBarPanelsHaveFixedWidths() {
  TStatusBar Bar;
  Bar.resize(600, 20);
  Bar.AddPanel(100, "All");
  Bar.AddPanel(250);
  Bar.AddPanel(50);
  Bar.show();
  QVERIFY(QTest::qWaitForWindowExposed(&Bar));
  Bar.SetPanelText(2, "Read Only");
  QCOMPARE(Bar.PanelCount(), 3);
  QCOMPARE(Bar.PanelWidth(0), 100);
  QCOMPARE(Bar.PanelWidth(1), 250);
  QCOMPARE(Bar.PanelText(0), std::string("All"));
  QCOMPARE(Bar.PanelText(2), std::string("Read Only"));
}

void TestForms::PageChangeCanBeRefused() {
  TFakeEnv Fake;
  TPageControl Pages;
  Pages.AddPage("Transmittal Information");
  Pages.AddPage("Member Demographic");
  Pages.AddPage("Member Contributions");
  bool Allow = false;
  std::vector<std::string> Log;
  Pages.OnChanging = [&](bool& AllowChange) {
    Log.push_back("changing from " + std::to_string(Pages.ActivePageIndex()));
    AllowChange = Allow;
  };
  Pages.OnChange = [&]() { Log.push_back("change to " + std::to_string(Pages.ActivePageIndex())); };
  Pages.show();
  QVERIFY(QTest::qWaitForWindowExposed(&Pages));

  const QPoint Tab2 = Pages.tabBar()->tabRect(2).center();
  QTest::mouseClick(Pages.tabBar(), Qt::LeftButton, {}, Tab2);
  QCOMPARE(Pages.ActivePageIndex(), 0);  // refused before it happened
  Allow = true;
  QTest::mouseClick(Pages.tabBar(), Qt::LeftButton, {}, Tab2);
  QCOMPARE(Pages.ActivePageIndex(), 2);
  // Among the shown tabs, wrapping round.
  Pages.SetTabVisible(0, false);
  Pages.SelectNextPage(true);
  QCOMPARE(Pages.ActivePageIndex(), 1);
  // The program's own setting raises neither event.
  Pages.SetActivePageIndex(0);
  QCOMPARE(Log, (std::vector<std::string>{"changing from 0", "changing from 0", "change to 2", "changing from 2",
                                          "change to 1"}));
}

void TestForms::ScalingTruncates_data() {
  QTest::addColumn<int>("Dpi");
  QTest::addColumn<int>("Design");
  QTest::addColumn<int>("Scaled");
  QTest::newRow("96") << 96 << 21 << 21;
  QTest::newRow("120 row") << 120 << 21 << 26;
  QTest::newRow("120 gender") << 120 << 60 << 75;
  QTest::newRow("144") << 144 << 51 << 76;
  QTest::newRow("negative truncates toward zero") << 120 << -21 << -26;
}

void TestForms::ScalingTruncates() {
  QFETCH(int, Dpi);
  QFETCH(int, Design);
  QFETCH(int, Scaled);
  const int32_t Saved = ScreenDPI;
  ScreenDPI = Dpi;
  QCOMPARE(ScaleForScreen(Design), Scaled);
  QCOMPARE(MeasureScreenDPI(), Dpi);  // measured once: a set value stays
  ScreenDPI = Saved;
}

void TestForms::HelpOpensContents() {
  TQtEnv Real;
  SetHelpFile("KSFHelp.hlp");
  Env().OpenHelp();
  QTextBrowser* Browser = HelpBrowser();
  QVERIFY(Browser != nullptr);
  QVERIFY(Browser->isVisible());
  const QString Text = Browser->toPlainText();
  for (const char* Topic : {"Choosing an employer", "New employer", "Revise", "Amend", "Read-only", "message window", "grids",
                            "Printing", "Allow incomplete saves"})
    QVERIFY2(Text.contains(Topic, Qt::CaseInsensitive), Topic);
  CloseHelp();
  QVERIFY(HelpBrowser() == nullptr);
}

void TestForms::VersionIsCompiledIn() {
  const TVersionInfo Info = ProgramVersionInfo();
  QCOMPARE(QString::fromStdString(Info.FileVersion), QString(KSF_VERSION_TEXT));
}

QTEST_MAIN(TestForms)
#include "test_Forms.moc"

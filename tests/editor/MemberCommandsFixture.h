#pragma once
// Helpers for the tests of the member commands: members that pass the checks,
// what the grids show, the user's presses and double clicks, the search dialog
// and the member detail form answered, the file as saved, and a full disk.

#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <functional>
#include <memory>

#include "FailingDisk.h"
#include "QtTestSupport.h"
#include "TransFormFixture.h"
#include "VDemogr.h"
#include "VSearch.h"

// A member that passes every check, with its pensionable amount P (earnable E)
// and the contributions that go with it.
inline TTestMember Valid(const std::string& SSN, const std::string& Last, double P = 1000, double E = 1000) {
  TTestMember M = Member(SSN, Last);
  M.Pensionable = P;
  M.Earnable = E;
  M.FTE = 100 * P / E;
  M.Regular = RoundToFactor(P * 0.07, 100);
  M.Health = RoundToFactor(P * 0.0125, 100);
  return M;
}

// The last names of the shown members, top to bottom.
inline std::vector<std::string> ShownNames(TfrmTrans* Form) {
  std::vector<std::string> Names;
  for (size_t Row = 1; Row <= VisibleRows.size(); ++Row)
    Names.push_back(Form->sgrDemogr->Cells(0, static_cast<int32_t>(Row)));
  return Names;
}

// A press on the title of a column, as the user makes it.
inline void PressTitle(TStringGrid* Grid, int32_t Col, Qt::MouseButton Button = Qt::LeftButton) {
  QHeaderView* Title = Grid->horizontalHeader();
  const QPoint At(Title->sectionViewportPosition(Col) + 3, 4);
  QTest::mouseClick(Title->viewport(), Button, {}, At);
}

// A double click as the window system delivers it: press, release, double
// click (for the second press), release.
inline void DoubleClick(QWidget* Target, QPoint At) {
  QTest::mouseClick(Target, Qt::LeftButton, {}, At);
  QMouseEvent Double(QEvent::MouseButtonDblClick, At, Target->mapToGlobal(At), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
  QApplication::sendEvent(Target, &Double);
  QTest::mouseRelease(Target, Qt::LeftButton, {}, At);
}

// The middle of a data cell (Row counted as the program does: 1 is the first
// member), in the grid's viewport.
inline QPoint CellCenter(TStringGrid* Grid, int32_t Col, int32_t Row) {
  return Grid->visualRect(Grid->model()->index(Row - Grid->FixedRows(), Col)).center();
}

// A click on the tab of a page of the preparation form.
inline void ClickTab(TfrmTrans* Form, int Page) {
  QTabBar* Tabs = Form->pgcTrans->tabBar();
  QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(Page).center());
}

// Types Text key by key into whatever has the focus.
inline void TypeKeys(const QString& Text) {
  for (QChar C : Text) QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
}

// The window the clerk works in takes the keys again, as when a modal window
// it opened has closed.
inline void Activate(QWidget* Window) {
  QApplication::setActiveWindow(Window);
  QVERIFY(QTest::qWaitForWindowActive(Window));
}

// The member fields' values as the member file on disk holds them.
inline std::unique_ptr<TTransShort> OnDisk(const TTestFolder& Folder, const std::string& Name) {
  auto T = std::make_unique<TTransShort>();
  T->FileName = Folder.Path(Name);
  if (!T->LoadFromFile()) qWarning("could not read %s", Name.c_str());
  return T;
}

// Answers the next modal window: the search dialog gets the choices and
// Search (or Cancel); any other window is closed. Opened tells which it was.
inline void AnswerSearch(int Field, int Op, const QString& Value, bool Cancel = false,
                  std::string* Opened = nullptr) {
  WhenModalShown([=](QWidget* Modal) {
    if (Opened != nullptr) *Opened = Modal->objectName().toStdString();
    auto* Dialog = qobject_cast<TfrmSearch*>(Modal);
    if (Dialog == nullptr) {
      Modal->close();
      return;
    }
    Dialog->lbxFields->setCurrentRow(Field);
    Dialog->lbxOps->setCurrentRow(Op);
    Dialog->edtValue->setText(Value);
    (Cancel ? Dialog->btnCancel : Dialog->btnSearch)->click();
  });
}

// Closes the member detail form once it is shown, without its close query.
inline void CloseDetailWhenShown() {
  WhenModalShown([](QWidget* Modal) {
    if (Modal == frmMbrDetail) frmMbrDetail->done(mrCancel);
  });
}

// A full disk: a write stores only its first bytes.
class TDiskFull : public TFailingDisk {
 public:
  TDiskFull() : TFailingDisk(TWriteFault::Short) {}
};

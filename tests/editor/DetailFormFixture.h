#pragma once
// The member detail form opened from the real preparation form, over a data
// folder the test writes: the test's body runs while the form is shown modally.

#include <QComboBox>
#include <QGroupBox>
#include <functional>

#include "MaskEdit.h"
#include "PCodeTable.h"
#include "QtEnv.h"
#include "QtTestSupport.h"
#include "TransFormFixture.h"
#include "VDemogr.h"

// Opens the member detail form as Detail (Insert false) or Insert does, runs
// Body while it is shown, and returns once the showing has ended. A body that
// leaves the form open has it closed without its close query.
inline void WithDetail(TfrmTrans* Form, bool Insert,
                       const std::function<void(TfrmMbrDetail* D)>& Body) {
  bool Ran = false;
  WhenModalShown([&](QWidget*) {
    Ran = true;
    // Keys and focus reach the form only once it is the active window.
    QApplication::setActiveWindow(frmMbrDetail);
    QVERIFY(QTest::qWaitForWindowActive(frmMbrDetail));
    Body(frmMbrDetail);
    QCoreApplication::processEvents();
    if (frmMbrDetail != nullptr && frmMbrDetail->isVisible()) frmMbrDetail->done(mrCancel);
  });
  InsertMode = Insert;
  Form->ShowMemberDetail();
  QVERIFY2(Ran, "the member detail form was not shown");
}

// Stops the test when a check inside a body failed.
#define DETAIL(Form, Insert, ...)                        \
  do {                                                   \
    WithDetail((Form).Form.data(), Insert, __VA_ARGS__); \
    if (QTest::currentTestFailed()) return;              \
  } while (0)

// Lets queued work (a requested close, a deferred exit check) run.
inline void Settle() {
  for (int I = 0; I < 3; ++I) QCoreApplication::processEvents();
}

// The state of the eight record buttons, First to Cancel.
inline std::vector<bool> RecordButtons(TfrmMbrDetail* D) {
  std::vector<bool> States;
  for (TBitBtn* B : {D->bbnFirst, D->bbnPrior, D->bbnNext, D->bbnLast, D->bbnInsert, D->bbnDel,
                     D->bbnSave, D->bbnCancel})
    States.push_back(B->isEnabled());
  return States;
}

// Replaces a box's text as the user does (edited, so its change and leave rules apply).
inline void TypeInto(TMaskEdit* Box, const std::string& Text) {
  Box->setFocus();
  Box->selectAll();
  Box->del();
  QTest::keyClicks(Box, QString::fromStdString(Text));
}

// Fills every field a new member needs to pass the checks (the amounts of a
// 1000.00 pay at 100 %), as the program's own assignments do.
inline void FillMember(TfrmMbrDetail* D, const std::string& SSN, const std::string& Last) {
  D->mskSSN->SetText(SSN);
  D->edtLastName->SetText(Last);
  D->edtFirstName->SetText("Carl");
  D->edtAddress1->SetText("7 Elm Road");
  D->edtCity->SetText("Troy");
  D->mskZip->SetText("12180");
  D->edtBirthDate->SetText("03/04/1965");
  const char* Amounts[] = {"1000", "1000", "100", "70", "12.5", "0", "0"};
  for (int Row = 0; Row < 7; ++Row) D->stgAmt->SetCells(1, Row, Amounts[Row]);
}

// The member line of a saved file (1-based member number).
inline std::string MemberLine(const std::string& File, int Number) {
  return File.substr(54 + static_cast<size_t>(Number - 1) * 328, 328);
}

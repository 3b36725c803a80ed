// Alt chords in every window of the program: a chord whose accelerator belongs
// to no enabled control of the window does nothing, and above all never reaches
// the box with the focus as text ("SMITH" must not become "SMITHa" because Save
// is disabled, nor the employer ID "123" become "123q").

#include <QAbstractButton>
#include <QComboBox>
#include <QListView>

#include "DetailFormFixture.h"
#include "VMessage.h"
#include "VPrintSel.h"
#include "VSearch.h"

namespace {

// Opens the window as the program does, over a folder holding Smith and Baker,
// and runs Body while the window is up and active; then closes it.
void InWindow(const QString& Window, const std::function<void(QWidget*)>& Body) {
  TTestFolder Folder;
  Folder.Write("20041000.123", {Member("111111111", "SMITH"), Member("222222222", "BAKER")});
  const auto Activate = [](QWidget* W) {
    QApplication::setActiveWindow(W);
    QVERIFY(QTest::qWaitForWindowActive(W));
  };
  // A modal window ends, when the body has left it open, as its Esc would end it.
  const auto WhenShown = [&](const std::function<void()>& Open) {
    bool Ran = false;
    WhenModalShown([&](QWidget* Modal) {
      Ran = true;
      Activate(Modal);
      if (!QTest::currentTestFailed()) Body(Modal);
      QCoreApplication::processEvents();
      if (auto* D = qobject_cast<QDialog*>(Modal); D != nullptr && D->isVisible()) D->done(mrCancel);
    });
    Open();
    QVERIFY2(Ran, qPrintable(Window + " was not shown"));
  };
  if (Window == "employer list" || Window == "new-employer dialog") {
    auto Opening = std::make_unique<TfrmOpening>();
    frmOpening = Opening.get();
    Opening->show();
    Activate(Opening.get());
    if (Window == "employer list") {
      Body(Opening.get());
    } else {
      Opening->cmbIds->setEditText("456");
      WhenShown([&] { Opening->bbnOpen->click(); });
    }
    frmOpening = nullptr;
    return;
  }
  if (Window == "message window") {
    TfrmMessage Messages;
    frmMessage = &Messages;
    WhenShown([&] { Messages.ShowMessages({"First message", "Second message"}); });
    frmMessage = nullptr;
    return;
  }
  TOpenForm Form;
  if (Window == "preparation form") {
    Activate(Form.Form);
    Body(Form.Form);
  } else if (Window == "detail form") {
    WithDetail(Form.Form, false, [&](TfrmMbrDetail* D) { Body(D); });
  } else if (Window == "search dialog") {
    WhenShown([&] { Form->bbnSearch->click(); });
  } else if (Window == "print-option dialog") {
    WhenShown([&] { Form->bbnPrint->click(); });
  } else {
    QFAIL(qPrintable("no window " + Window));
  }
}

// The box the chords are pressed in: a control by name, or the cell editor of a grid.
QWidget* BoxOf(QWidget* Window, const QString& Name) {
  if (Name == "sgrDemogr cell") {
    auto* Form = static_cast<TfrmTrans*>(Window);
    Form->pgcTrans->RequestPage(1);
    return OpenCellEditor(Form->sgrDemogr, 0, 1);
  }
  if (Name == "stgAmt cell") {
    auto* D = static_cast<TfrmMbrDetail*>(Window);
    D->pgcDetail->SetActivePage(D->tbsContr);
    return OpenCellEditor(D->stgAmt, 1, 0);
  }
  auto* Box = Window->findChild<QWidget*>(Name);
  if (Box != nullptr) Box->setFocus();
  return Box;
}

// What the box shows: its text, its selected item, or (a button) nothing.
QString Shown(QWidget* Box) {
  if (auto* Edit = qobject_cast<QLineEdit*>(Box)) return Edit->text();
  if (auto* List = qobject_cast<QComboBox*>(Box)) return List->currentText();
  if (auto* View = qobject_cast<QListView*>(Box)) return QString::number(View->currentIndex().row());
  return QString();
}

void PressChord(QChar C) {
  const char Ch = C.toLatin1();
  Qt::Key Key = Qt::Key_Greater;
  Qt::KeyboardModifiers Mods = Qt::AltModifier;
  if (Ch == '>')
    Mods |= Qt::ShiftModifier;
  else if (Ch >= '0' && Ch <= '9')
    Key = static_cast<Qt::Key>(Qt::Key_0 + (Ch - '0'));
  else
    Key = static_cast<Qt::Key>(Qt::Key_A + (Ch - 'a'));
  QWidget* Focus = QApplication::focusWidget();
  QVERIFY(Focus != nullptr);
  QTest::keyPress(Focus, Key, Mods);
  QTest::keyRelease(QApplication::focusWidget(), Key, Mods);
}

}  // namespace

class TestAltChords : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
    LastSearchField = LastSearchOp = 0;
    LastSearchValue.clear();
  }
  void cleanup() { Env.reset(); }

  void ChordOfNoEnabledControlTypesNothing_data() {
    QTest::addColumn<QString>("Window");
    QTest::addColumn<QString>("Box");
    QTest::addColumn<QString>("Typed");   // typed first, as the user does
    QTest::addColumn<QString>("Chords");  // each pressed with Alt
    QTest::newRow("employer list, no accelerator") << "employer list" << "cmbIds" << "" << "q";
    QTest::newRow("employer list, Open disabled") << "employer list" << "cmbIds" << "clear" << "o";
    QTest::newRow("new-employer dialog, name") << "new-employer dialog" << "edtEmpName" << "Lakeside" << "qw";
    QTest::newRow("new-employer dialog, year") << "new-employer dialog" << "mskYear" << "" << "5";
    QTest::newRow("preparation form, employer name") << "preparation form" << "edtEmployerName" << "" << "qw";
    QTest::newRow("preparation form, cell, Save disabled") << "preparation form" << "sgrDemogr cell" << "" << "sq";
    QTest::newRow("detail form, browsing, Save disabled") << "detail form" << "edtLastName" << "" << "a";
    QTest::newRow("detail form, editing, record buttons disabled") << "detail form" << "edtLastName" << "x"
                                                                    << "flid>";
    QTest::newRow("detail form, amount cell") << "detail form" << "stgAmt cell" << "" << "4q";
    QTest::newRow("search dialog, value") << "search dialog" << "edtValue" << "baker" << "qw";
    QTest::newRow("message window, list") << "message window" << "lvwMsg" << "" << "qs";
    QTest::newRow("print-option dialog, button") << "print-option dialog" << "btnDemogr" << "" << "qw";
  }
  void ChordOfNoEnabledControlTypesNothing() {
    QFETCH(QString, Window);
    QFETCH(QString, Box);
    QFETCH(QString, Typed);
    QFETCH(QString, Chords);
    InWindow(Window, [&](QWidget* Win) {
      QWidget* Target = BoxOf(Win, Box);
      QVERIFY2(Target != nullptr, qPrintable(Box));
      QTRY_VERIFY(Target->hasFocus());
      if (Typed == "clear")
        static_cast<QComboBox*>(Target)->setEditText("");
      else
        QTest::keyClicks(QApplication::focusWidget(), Typed);
      auto* Detail = qobject_cast<TfrmMbrDetail*>(Win);
      const char Mode = Detail != nullptr ? Detail->Mode : ' ';
      const QString Before = Shown(Target);
      const size_t Boxes = Env->Boxes.size();
      for (QChar C : Chords) PressChord(C);
      // An accelerator clicks its button a moment later.
      QTest::qWait(150);
      QVERIFY(Win->isVisible());
      QCOMPARE(Shown(Target), Before);
      QCOMPARE(QApplication::focusWidget(), Target);
      QCOMPARE(Env->Boxes.size(), Boxes);
      if (Detail != nullptr) QCOMPARE(Detail->Mode, Mode);
    });
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestAltChords)
#include "test_AltChords.moc"

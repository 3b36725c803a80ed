// The member detail form's amounts grid (drawing, keys, change detection) and
// the rules that run on leaving a box: the date check and the address stamp.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTabBar>

#include "DetailFormFixture.h"

namespace {

// A paint device that keeps the texts drawn on it, where and in which weight.
class TTextRecorder : public QPaintEngine {
 public:
  struct TText {
    QString Text;
    QPointF At;
    bool Bold;
  };
  std::vector<TText> Texts;
  TTextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& At, const QTextItem& Item) override {
    Texts.push_back({Item.text(), At, Item.font().bold()});
  }
  Type type() const override { return QPaintEngine::User; }
};

class TRecordingDevice : public QPaintDevice {
 public:
  mutable TTextRecorder Engine;
  QPaintEngine* paintEngine() const override { return &Engine; }

 protected:
  int metric(PaintDeviceMetric Metric) const override {
    switch (Metric) {
      case PdmWidth:
        return 400;
      case PdmHeight:
        return 300;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 1;
    }
  }
};

// One cell of the amounts grid drawn as the grid paints it, in the grid's face:
// the texts drawn, and the face as the drawing left it.
struct TDrawnCell {
  std::vector<TTextRecorder::TText> Texts;
  QFont Font;
};
TDrawnCell DrawAmountCell(TfrmMbrDetail* D, int32_t Col, int32_t Row, const TRect& Rect) {
  TRecordingDevice Device;
  QPainter Painter(&Device);
  Painter.setFont(D->stgAmt->font());
  TCanvas Canvas(Painter);
  D->stgAmt->Canvas = &Canvas;
  D->stgAmtDrawCell(Col, Row, Rect);
  D->stgAmt->Canvas = nullptr;
  TDrawnCell Drawn{Device.Engine.Texts, Painter.font()};
  Painter.end();
  return Drawn;
}

// Presses and releases a key where the focus is at each moment, as a keyboard does.
void Stroke(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
  QTest::keyPress(QApplication::focusWidget(), Key, Modifiers);
  QTest::keyRelease(QApplication::focusWidget(), Key, Modifiers);
}

}  // namespace

class TestVDemogrAmounts : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void CellsAreDrawnAsAmounts_data() {
    QTest::addColumn<int>("Col");
    QTest::addColumn<int>("Row");
    QTest::addColumn<QString>("Cell");
    QTest::addColumn<QString>("Shown");
    QTest::addColumn<bool>("Bold");
    QTest::addColumn<bool>("Right");
    QTest::addColumn<int>("Beeps");
    QTest::newRow("caption of a required amount")
        << 0 << 4 << ""
        << "Health contributions : " << true << false << 0;
    QTest::newRow("caption of an optional amount")
        << 0 << 5 << ""
        << "Voluntary contributions : " << false << false << 0;
    QTest::newRow("amount") << 1 << 0 << "1234.5"
                            << "$1234.50" << false << true << 0;
    QTest::newRow("FTE%") << 1 << 2 << "100"
                          << "100.00%" << false << true << 0;
    QTest::newRow("no number") << 1 << 6 << " abc "
                               << "$abc" << false << true << 1;
  }
  void CellsAreDrawnAsAmounts() {
    QFETCH(int, Col);
    QFETCH(int, Row);
    QFETCH(QString, Cell);
    QFETCH(QString, Shown);
    QFETCH(bool, Bold);
    QFETCH(bool, Right);
    QFETCH(int, Beeps);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      if (Col == 1) D->stgAmt->SetCells(1, Row, Cell.toStdString());
      Env->Beeps = 0;
      const TDrawnCell Drawn = DrawAmountCell(D, Col, Row, TRect{10, 20, 110, 44});
      QCOMPARE(Env->Beeps, Beeps);
      QCOMPARE(Drawn.Texts.size(), size_t(1));
      const TTextRecorder::TText& T = Drawn.Texts[0];
      QCOMPARE(T.Text, Shown);
      QCOMPARE(T.Bold, Bold);
      if (Right)
        QVERIFY(T.At.x() > 14 &&
                T.At.x() + QFontMetrics(Drawn.Font).horizontalAdvance(Shown) <= 106 + 1);
      else
        QCOMPARE(T.At.x(), 14.0);
    });
  }

  // The captions' column is fixed in pixels, but the face is this machine's: every
  // caption, bold ones included, is drawn whole, and the grid stays on its page.
  void EveryCaptionIsShownWhole() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      const int32_t Width = D->stgAmt->ColWidths(0);
      for (int32_t Row = 0; Row < D->stgAmt->RowCount(); ++Row) {
        const TDrawnCell Drawn = DrawAmountCell(D, 0, Row, TRect{0, 0, Width, 24});
        QCOMPARE(Drawn.Texts.size(), size_t(1));
        const TTextRecorder::TText& T = Drawn.Texts[0];
        QFont Font = Drawn.Font;
        Font.setBold(T.Bold);
        const int Right = static_cast<int>(T.At.x()) + QFontMetrics(Font).horizontalAdvance(T.Text);
        QVERIFY2(Right <= Width, qPrintable(T.Text));
      }
      D->pgcDetail->SetActivePage(D->tbsContr);
      QVERIFY(D->tbsContr->rect().contains(D->stgAmt->geometry()));
    });
  }

  // A digit key above the letters switches to Editing at once; a keypad digit
  // only when the cell's new text differs from the stored amount.
  void KeysAndChangesSwitchToEditing_data() {
    QTest::addColumn<int>("Row");
    QTest::addColumn<QString>("Keys");  // 'k' before a digit: the keypad's
    QTest::addColumn<char>("Mode");
    QTest::newRow("digit key") << 5 << "0" << 'E';
    QTest::newRow("keypad digit, same amount") << 5 << "k0" << 'B';
    QTest::newRow("keypad digit, other amount") << 5 << "k7" << 'E';
  }
  void KeysAndChangesSwitchToEditing() {
    QFETCH(int, Row);
    QFETCH(QString, Keys);
    QFETCH(char, Mode);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      D->stgAmt->setFocus();
      D->stgAmt->SetRow(Row);
      for (qsizetype I = 0; I < Keys.size(); ++I) {
        const bool Keypad = Keys[I] == 'k';
        if (Keypad) ++I;
        const auto Key = static_cast<Qt::Key>(Qt::Key_0 + (Keys[I].toLatin1() - '0'));
        Stroke(Key, Keypad ? Qt::KeypadModifier : Qt::NoModifier);
      }
      QCOMPARE(D->Mode, Mode);
    });
  }

  // The first digit typed into an amount cell is the first digit of the new
  // amount, however the cell got the keyboard; typed at once after a click on
  // the highlighted cell, 4000 is 4000 and not 000.
  void FirstKeyIsTheFirstDigitOfTheAmount_data() {
    QTest::addColumn<QString>("Way");
    QTest::newRow("click on the highlighted cell") << "click current";
    QTest::newRow("click on another cell") << "click other";
    QTest::newRow("Tab from the page's tab") << "tab";
    QTest::newRow("Ctrl+Tab from a box of the other page") << "ctrl+tab";
  }
  void FirstKeyIsTheFirstDigitOfTheAmount() {
    QFETCH(QString, Way);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      TStringGrid* G = D->stgAmt;
      QTabBar* Tabs = D->pgcDetail->tabBar();
      if (Way == "ctrl+tab") {
        D->edtCity->setFocus();
        Stroke(Qt::Key_Tab, Qt::ControlModifier);
      } else {
        QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(1).center());
      }
      QCOMPARE(D->pgcDetail->ActivePage(), D->tbsContr);
      const auto Center = [&](int32_t Row) { return G->visualRect(G->model()->index(Row, 0)).center(); };
      if (Way == "click current") QTest::mouseClick(G->viewport(), Qt::LeftButton, {}, Center(G->Row()));
      if (Way == "click other") QTest::mouseClick(G->viewport(), Qt::LeftButton, {}, Center(3));
      if (Way == "tab") {
        Tabs->setFocus();
        Stroke(Qt::Key_Tab);
      }
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(G));
      const int32_t Row = G->Row();
      for (Qt::Key K : {Qt::Key_4, Qt::Key_0, Qt::Key_0, Qt::Key_0}) Stroke(K);
      QCOMPARE(G->Cells(1, Row), std::string("4000"));
      QCOMPARE(D->Mode, 'E');
      QTest::qWait(QApplication::doubleClickInterval() + 100);
      QCOMPARE(G->Cells(1, Row), std::string("4000"));
    });
  }

  // A typed amount that is no number would be stored as 0 (the field stores such
  // a text as nothing). The save is refused before anything of the member is
  // stored, with the checks on (the amount's own check tells) as with them off
  // (a box names the member and the text); the amounts page shows that row.
  // Once the clerk types a number there, the save goes through.
  void AnAmountThatIsNoNumberIsNeverStored_data() {
    QTest::addColumn<bool>("Checks");
    QTest::addColumn<bool>("NewMember");
    QTest::addColumn<int>("Row");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Message");
    QTest::addColumn<QString>("Number");  // typed over it for the save that goes through
    auto Row = [](const char* Name, bool Checks, bool New, int R, const char* Typed,
                  const char* Message, const char* Number) {
      QTest::newRow(Name) << Checks << New << R << QString(Typed) << QString(Message) << QString(Number);
    };
    Row("checks off, voluntary with a thousands comma", false, false, 5, "1,000",
        "The amount \"1,000\" typed for member 111-11-1111 (Adams, Anne) under Voluntary "
        "contributions is not a number.",
        "1000");
    Row("checks off, pensionable cleared", false, false, 0, "",
        "The amount \"\" typed for member 111-11-1111 (Adams, Anne) under Pensionable "
        "Compensation is not a number.",
        "1000");
    Row("checks off, a new member's contract payments", false, true, 6, "12x",
        "The amount \"12x\" typed for member 555-55-5555 (Young, Carl) under Contract payments "
        "is not a number.",
        "12");
    Row("checks on, voluntary with a thousands comma", true, false, 5, "1,000",
        "Invalid voluntary amount : \"1,000\"!", "100");
  }
  void AnAmountThatIsNoNumberIsNeverStored() {
    QFETCH(bool, Checks);
    QFETCH(bool, NewMember);
    QFETCH(int, Row);
    QFETCH(QString, Typed);
    QFETCH(QString, Message);
    QFETCH(QString, Number);
    const std::string* Fields[] = {&fnSalaryPensionAmount,     &fnSalaryEarnableAmount,
                                   &fnSalaryEarnableUnitsWorked, &fnContribEmployeePreTax,
                                   &fnContribEmployerPreTax,   &fnContribVoluntaryPostTax,
                                   &fnContribContractPostTax};
    const std::string& Field = *Fields[Row];
    TTestFolder Folder;
    TTestMember Adams = Member("111111111", "Adams");
    Adams.Voluntary = 25;
    Folder.Write("20041000.123", {Adams, Member("222222222", "Baker")});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    Form->chbSaveError->SetChecked(!Checks);
    DETAIL(Form, NewMember, [&](TfrmMbrDetail* D) {
      const std::string Held = NewMember ? std::string() : Trans->Details[Trans->CurIndex]->GetAsString(Field);
      if (NewMember)
        FillMember(D, "555555555", "Young");
      else
        TypeInto(D->edtFirstName, "Anne");
      D->pgcDetail->SetActivePage(D->tbsContr);
      if (Typed.isEmpty())
        QTest::keyClick(OpenCellEditor(D->stgAmt, 1, Row), Qt::Key_Delete);  // the selected amount
      else
        TypeIntoCell(D->stgAmt, 1, Row, Typed);
      QCOMPARE(D->stgAmt->Cells(1, Row), Typed.toStdString());
      D->pgcDetail->SetActivePage(D->tbsDemogr);
      D->edtCity->setFocus();
      Env->Boxes.clear();
      Env->Beeps = 0;
      QTest::mouseClick(D->bbnSave, Qt::LeftButton);
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{Message.toStdString()});
      QCOMPARE(Env->Beeps, 1);
      QCOMPARE(D->pgcDetail->ActivePage(), D->tbsContr);
      QCOMPARE(D->stgAmt->Row(), Row);
      QCOMPARE(D->Mode, NewMember ? 'A' : 'E');
      QVERIFY(D->bbnSave->isEnabled());
      QCOMPARE(Folder.Read("20041000.123"), Before);
      // Nothing of the member was stored: a new one is not in the list, a
      // saved one holds its amount and its first name as before.
      QCOMPARE(Trans->Details.Count(), 2);
      if (!NewMember) {
        QCOMPARE(Trans->Details[Trans->CurIndex]->GetAsString(Field), Held);
        QCOMPARE(Trans->Details[Trans->CurIndex]->GetAsString(fnFirstName), std::string("Anna"));
      }

      TypeIntoCell(D->stgAmt, 1, Row, Number);
      Env->Boxes.clear();
      QTest::mouseClick(D->bbnSave, Qt::LeftButton);
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{});
      QCOMPARE(D->Mode, 'B');
    });
    TTransShort Saved;
    Saved.FileName = Folder.Path("20041000.123");
    QVERIFY(Saved.LoadFromFile());
    const std::string SSN = NewMember ? "555555555" : "111111111";
    int Found = 0;
    for (TRecord* R : Saved.Details) {
      if (R->GetAsString(fnMemberSSN) != SSN) continue;
      ++Found;
      QCOMPARE(R->GetAsFloat(Field), Number.toDouble());
    }
    QCOMPARE(Found, 1);
  }

  void ClearingACellSwitchesToEditing() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      QLineEdit* Editor = OpenCellEditor(D->stgAmt, 1, 5);
      QVERIFY(Editor != nullptr);
      QCOMPARE(D->Mode, 'B');
      Stroke(Qt::Key_X, Qt::ControlModifier);  // cut the selected text: no key of the key rule
      QCOMPARE(D->stgAmt->Cells(1, 5), std::string());
      QCOMPARE(D->Mode, 'E');
    });
  }

  // Esc in the grid is Cancel; with a cell being edited, the reload and refresh
  // it runs must leave nothing pointing at the editor they close.
  void EscInTheGridCancels_data() {
    QTest::addColumn<bool>("Edit");
    QTest::newRow("browsing") << false;
    QTest::newRow("editing a cell") << true;
  }
  void EscInTheGridCancels() {
    QFETCH(bool, Edit);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      if (Edit) {
        QVERIFY(OpenCellEditor(D->stgAmt, 1, 3) != nullptr);
        for (Qt::Key K : {Qt::Key_9, Qt::Key_9}) Stroke(K);
        QCOMPARE(D->Mode, 'E');
        QCOMPARE(D->stgAmt->Cells(1, 3), std::string("99"));
      } else {
        D->stgAmt->setFocus();
      }
      Stroke(Qt::Key_Escape);
      QCOMPARE(D->Mode, 'B');
      QVERIFY(Env->Boxes.empty());
      QVERIFY(!D->stgAmt->EditorMode());
      QCOMPARE(D->stgAmt->Cells(1, 3), std::string("     70.00"));
      QCOMPARE(Trans->Details[0]->GetAsFloat(fnContribEmployeePreTax), 70.0);
      QVERIFY(D->isVisible());
      // The grid still takes keys afterwards.
      Settle();
      D->stgAmt->setFocus();
      const int32_t Row = D->stgAmt->Row();
      Stroke(Qt::Key_Down);
      QCOMPARE(D->stgAmt->Row(), Row + 1);
    });
  }

  void EscInTheGridOfANewMemberOfAnEmptyFileCloses() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {});
    TOpenForm Form;
    // The preparation form's grid had the focus: it gets it back when the
    // detail form closes, and with nobody shown it beeps at any key it acts on.
    Form->pgcTrans->SetActivePage(Form->tbsContr);
    Form->sgrContr->setFocus();
    const int Beeps = Env->Beeps;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      QVERIFY(OpenCellEditor(D->stgAmt, 1, 0) != nullptr);
      Stroke(Qt::Key_5);
      QTest::keyPress(QApplication::focusWidget(), Qt::Key_Escape);
      Settle();
      QVERIFY(!D->isVisible());
      // The release lands wherever the focus went; it must start nothing there.
      QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Escape);
    });
    Settle();
    QCOMPARE(Env->Beeps, Beeps);
    QVERIFY(Env->Boxes.empty());
    QCOMPARE(Trans->Details.Count(), 0);
  }

  void CtrlTabGoesToTheOtherPage_data() {
    QTest::addColumn<bool>("Shift");
    QTest::newRow("Ctrl+Tab") << false;
    QTest::newRow("Ctrl+Shift+Tab") << true;
  }
  void CtrlTabGoesToTheOtherPage() {
    QFETCH(bool, Shift);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->pgcDetail->SetActivePage(D->tbsContr);
      D->stgAmt->setFocus();
      D->stgAmt->SetRow(2);
      Stroke(Shift ? Qt::Key_Backtab : Qt::Key_Tab,
             Qt::ControlModifier | (Shift ? Qt::ShiftModifier : Qt::NoModifier));
      QCOMPARE(D->pgcDetail->ActivePage(), D->tbsDemogr);
      QCOMPARE(D->stgAmt->Row(), 2);
      QCOMPARE(D->Mode, 'B');
    });
  }

  void ImpossibleDateIsToldOnLeaving_data() {
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<bool>("Told");
    QTest::newRow("February 30") << "02302004" << true;
    QTest::newRow("month 13") << "13012004" << true;
    QTest::newRow("a real date") << "02292004" << false;
  }
  void ImpossibleDateIsToldOnLeaving() {
    QFETCH(QString, Typed);
    QFETCH(bool, Told);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      TypeInto(D->edtBirthDate, Typed.toStdString());
      const std::string Text = D->edtBirthDate->Text();
      D->edtEmail->setFocus();
      Settle();
      if (Told) {
        QCOMPARE(Env->BoxTexts(),
                 std::vector<std::string>{"\"" + Text + "\" is not a valid date!"});
        QCOMPARE(Env->Boxes[0].Caption, std::string("KSF Transmittal Software"));
        QCOMPARE(Env->Beeps, 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->edtBirthDate));
      } else {
        QVERIFY(Env->Boxes.empty());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(D->edtEmail));
      }
    });
  }

  void IncompleteDateIsLeftToTheSave() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->edtBirthDate->setFocus();
      D->edtBirthDate->SetText("  /  /2004");
      D->edtEmail->setFocus();
      Settle();
      QVERIFY(Env->Boxes.empty());
    });
  }

  // Leaving a changed address control stamps today as the address's effective
  // date, for a saved member being edited only.
  void AddressChangeStampsTheEffectiveDate_data() {
    QTest::addColumn<bool>("NewMember");
    QTest::addColumn<QString>("Control");
    QTest::addColumn<QString>("Value");
    QTest::addColumn<bool>("Stamped");
    QTest::newRow("city changed") << false << "edtCity"
                                  << "Troy" << true;
    QTest::newRow("city unchanged") << false << "edtCity"
                                    << "Albany" << false;
    QTest::newRow("city in other case") << false << "edtCity"
                                        << "ALBANY" << true;
    QTest::newRow("ZIP+4 given") << false << "mskZip4"
                                 << "0042" << true;
    QTest::newRow("e-mail given") << false << "edtEmail"
                                  << "a@b.org" << true;
    QTest::newRow("state changed") << false << "cmbState"
                                   << "4" << true;
    QTest::newRow("new member's city") << true << "edtCity"
                                       << "Troy" << false;
  }
  void AddressChangeStampsTheEffectiveDate() {
    QFETCH(bool, NewMember);
    QFETCH(QString, Control);
    QFETCH(QString, Value);
    QFETCH(bool, Stamped);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, NewMember, [&](TfrmMbrDetail* D) {
      if (NewMember) D->edtEffDate->SetText("10/01/2004");
      // Something else changed first, so a saved member is being edited.
      TypeInto(D->edtFirstName, "Ann");
      if (Control == "cmbState") {
        D->cmbState->setFocus();
        D->cmbState->setCurrentIndex(Value.toInt());
      } else {
        TypeInto(D->findChild<TMaskEdit*>(Control), Value.toStdString());
      }
      D->edtBirthDate->setFocus();
      Settle();
      QCOMPARE(D->edtEffDate->Text(), std::string(Stamped     ? "11/15/2004"
                                                  : NewMember ? "10/01/2004"
                                                              : "09/01/2004"));
    });
  }

  void UnchangedAddressLeftWhileBrowsingStampsNothing() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    DETAIL(Form, false, [&](TfrmMbrDetail* D) {
      D->edtCity->setFocus();
      D->edtAddress1->setFocus();
      D->cmbState->setFocus();
      D->edtBirthDate->setFocus();
      Settle();
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(D->edtEffDate->Text(), std::string("09/01/2004"));
    });
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVDemogrAmounts)
#include "test_VDemogrAmounts.moc"

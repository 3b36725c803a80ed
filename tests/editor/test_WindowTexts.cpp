// Every caption and title of every window reads whole: each label, button,
// check box, group title and page tab is wide (and, when it wraps, tall) enough
// for its text in its own font, and every message box is wide enough for its
// window title. The same checks run at the screen's resolution as the system
// measures it: CTest runs this program once as it is and once at 120 dots per
// inch (QT_FONT_DPI=120 without Qt's own scaling, so that ScreenDPI is 120 and
// the windows scale themselves, as on a "large fonts" screen).

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "Controls.h"
#include "DetailFormFixture.h"
#include "Help.h"
#include "RTrans.h"
#include "ReportPreview.h"
#include "Scaling.h"
#include "VEmpName.h"
#include "VMessage.h"
#include "VPrintSel.h"
#include "VSearch.h"

namespace {

QString Plain(QString Text) {
  Text.replace("&&", QChar(1));
  Text.remove('&');
  Text.replace(QChar(1), '&');
  return Text;
}

int TextWidth(const QWidget* W, const QString& Text) {
  return QFontMetrics(W->font()).horizontalAdvance(Plain(Text));
}

QString Describe(const QWidget* W, const QString& Text, int Needs, int Has) {
  return QString("%1 %2 \"%3\": needs %4, has %5")
      .arg(W->metaObject()->className(), W->objectName(), Plain(Text))
      .arg(Needs)
      .arg(Has);
}

// The texts of the window's shown controls that do not fit them.
QStringList TextsCutShort(QWidget* Window) {
  QStringList Cut;
  for (QWidget* W : Window->findChildren<QWidget*>()) {
    if (!W->isVisibleTo(Window) || W->window() != Window) continue;
    if (auto* L = qobject_cast<QLabel*>(W)) {
      if (L->text().isEmpty()) continue;
      if (L->wordWrap()) {
        const int Needs = L->heightForWidth(L->width());
        if (Needs > L->height()) Cut << Describe(L, L->text(), Needs, L->height()) + " (height)";
      } else {
        const QSize Needs = L->sizeHint();
        if (Needs.width() > L->width()) Cut << Describe(L, L->text(), Needs.width(), L->width());
        if (QFontMetrics(L->font()).height() > L->height())
          Cut << Describe(L, L->text(), QFontMetrics(L->font()).height(), L->height()) + " (height)";
      }
    } else if (auto* B = qobject_cast<QCheckBox*>(W)) {
      if (B->sizeHint().width() > B->width()) Cut << Describe(B, B->text(), B->sizeHint().width(), B->width());
    } else if (auto* R = qobject_cast<QRadioButton*>(W)) {
      if (R->sizeHint().width() > R->width()) Cut << Describe(R, R->text(), R->sizeHint().width(), R->width());
    } else if (auto* T = qobject_cast<QToolButton*>(W)) {
      if (T->text().isEmpty() || T->toolButtonStyle() == Qt::ToolButtonIconOnly) continue;
      if (T->sizeHint().width() > T->width()) Cut << Describe(T, T->text(), T->sizeHint().width(), T->width());
    } else if (auto* P = qobject_cast<QPushButton*>(W)) {
      if (P->text().isEmpty()) continue;
      const auto* Bit = qobject_cast<const TBitBtn*>(P);
      const bool GlyphTop = Bit != nullptr && Bit->Layout() == TButtonLayout::GlyphTop;
      // The caption, and a glyph beside it, inside the button's frame.
      QStyleOptionButton Option;
      Option.initFrom(P);
      const QRect Contents = P->style()->subElementRect(QStyle::SE_PushButtonContents, &Option, P);
      int Needs = TextWidth(P, P->text());
      if (!GlyphTop && !P->icon().isNull()) Needs += P->iconSize().width() + 4;
      if (Needs > Contents.width()) Cut << Describe(P, P->text(), Needs, Contents.width());
      const int Tall = QFontMetrics(P->font()).height() + (GlyphTop ? P->iconSize().height() : 0);
      if (Tall > Contents.height()) Cut << Describe(P, P->text(), Tall, Contents.height()) + " (height)";
    } else if (auto* G = qobject_cast<QGroupBox*>(W)) {
      if (G->title().isEmpty()) continue;
      QStyleOptionGroupBox Option;
      Option.initFrom(G);
      Option.text = G->title();
      Option.lineWidth = 1;
      Option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
      Option.textAlignment = G->alignment();
      const QRect Label = G->style()->subControlRect(QStyle::CC_GroupBox, &Option, QStyle::SC_GroupBoxLabel, G);
      if (Label.right() >= G->width() || Label.width() < TextWidth(G, G->title()))
        Cut << Describe(G, G->title(), Label.right() + 1, G->width());
    } else if (auto* Tabs = qobject_cast<QTabBar*>(W)) {
      for (int I = 0; I < Tabs->count(); ++I) {
        if (!Tabs->isTabVisible(I)) continue;
        const QRect Tab = Tabs->tabRect(I);
        const int Needs = TextWidth(Tabs, Tabs->tabText(I)) + 8;
        if (Needs > Tab.width() || Tab.right() >= Tabs->width())
          Cut << Describe(Tabs, Tabs->tabText(I), Needs, std::min(Tab.width(), Tabs->width() - Tab.left()));
      }
    }
  }
  return Cut;
}

// Every page of every page control in the window, one after the other.
QStringList TextsCutShortOnEveryPage(QWidget* Window) {
  QStringList Cut = TextsCutShort(Window);
  for (QTabWidget* Pages : Window->findChildren<QTabWidget*>()) {
    const int Shown = Pages->currentIndex();
    for (int I = 0; I < Pages->count(); ++I) {
      if (!Pages->isTabVisible(I) || I == Shown) continue;
      Pages->setCurrentIndex(I);
      Cut << TextsCutShort(Window);
    }
    Pages->setCurrentIndex(Shown);
  }
  Cut.removeDuplicates();
  return Cut;
}

// The width a window title needs in a window frame: the text in the bold face
// that title bars use, and room for the frame's icon and three buttons.
int TitleNeeds(const QString& Title) {
  QFont Font = QApplication::font();
  Font.setBold(true);
  const QFontMetrics Metrics(Font);
  return Metrics.horizontalAdvance(Title) + 4 * Metrics.height();
}

#define VERIFY_WHOLE(Window)                                          \
  do {                                                                \
    const QStringList Cut = TextsCutShortOnEveryPage(Window);         \
    QVERIFY2(Cut.isEmpty(), qPrintable(Cut.join("\n")));              \
  } while (0)

}  // namespace

class TestWindowTexts : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    InitializeTransmittalUnits();
    ScreenDPI = 0;
    MeasureScreenDPI();
    // The resolution asked for is the one the windows scale by.
    const QByteArray Asked = qgetenv("QT_FONT_DPI");
    QCOMPARE(ScreenDPI, Asked.isEmpty() ? 96 : Asked.toInt());
  }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
    SelectedEmployerId = "123";
  }
  void cleanup() {
    CloseHelp();
    Env.reset();
  }

  void TheSmallWindowsReadWhole() {
    TfrmOpening Opening;
    Opening.show();
    VERIFY_WHOLE(&Opening);
    QVERIFY(Opening.width() >= TitleNeeds(Opening.windowTitle()));

    NewEmployerId = "123";
    TfrmEmpName EmpName;
    EmpName.show();
    VERIFY_WHOLE(&EmpName);
    QVERIFY(EmpName.width() >= TitleNeeds(EmpName.windowTitle()));

    TfrmSearch Search;
    Search.show();
    VERIFY_WHOLE(&Search);

    TfrmPrintQ PrintQ(nullptr);
    PrintQ.show();
    VERIFY_WHOLE(&PrintQ);
    QVERIFY(PrintQ.width() >= TitleNeeds(PrintQ.windowTitle()));

    TfrmMessage Message;
    Message.SetMessages({"SSN 123-45-6789: Last name is required."});
    Message.show();
    VERIFY_WHOLE(&Message);

    // The small windows' 11-pixel face is as much larger as the windows are.
    for (const QWidget* Small : {static_cast<QWidget*>(&Opening), static_cast<QWidget*>(&EmpName),
                                 static_cast<QWidget*>(&Search), static_cast<QWidget*>(&Message)})
      QCOMPARE(Small->font().pixelSize(), 11 * ScreenDPI / 96);

    ShowHelpContents();
    VERIFY_WHOLE(HelpWindow());
  }

  // The preparation form on each page, and the member detail form it opens,
  // browsing and inserting, on both of its pages.
  void ThePreparationAndDetailFormsReadWhole() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    // At the screen's own dots per inch, which the 120-dpi run sets.
    const TOpenForm Open("123", ScreenDPI);
    const QPointer<TfrmTrans>& Form = Open.Form;
    VERIFY_WHOLE(Form.data());
    for (bool Insert : {false, true}) {
      WithDetail(Form.data(), Insert, [](TfrmMbrDetail* D) { VERIFY_WHOLE(D); });
      if (QTest::currentTestFailed()) return;
    }
  }

  void TheReportPreviewReadsWhole() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    // At the screen's own dots per inch, which the 120-dpi run sets.
    const TOpenForm Open("123", ScreenDPI);
    const QPointer<TfrmTrans>& Form = Open.Form;
    bool Seen = false;
    WhenModalShown([&](QWidget* Modal) {
      const auto Close = qScopeGuard([&] { Modal->close(); });
      Seen = qobject_cast<TReportPreview*>(Modal) != nullptr;
      VERIFY_WHOLE(Modal);
    });
    TfrmReportTrans Report(Form.data());
    Report.Preview();
    QVERIFY(Seen);
  }

  // The program's message boxes, short and long, under each caption they carry:
  // never narrower than their title needs.
  void MessageBoxesAreAsWideAsTheirTitle_data() {
    QTest::addColumn<int>("Kind");
    QTest::addColumn<QString>("Caption");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<int>("Buttons");
    const int Box = int(TMsgKind::MessageBox);
    const int Ok = int(TMsgButtons::OK);
    QTest::newRow("invalid date") << Box << "KSF Transmittal Software" << "Invalid date!" << Ok;
    QTest::newRow("invalid SSN") << Box << "KSF Transmittal Software" << "Invalid SSN" << Ok;
    QTest::newRow("no messages") << Box << "KSF Transmittal Software" << "No messages" << Ok;
    QTest::newRow("no errors") << Box << "KSF Transmittal Software" << "No errors found" << Ok;
    QTest::newRow("save failed") << Box << "KSF Transmittal Software" << "Coudn't save the file!" << Ok;
    QTest::newRow("member detail") << Box << "Member Detail" << "Save the current record?"
                                   << int(TMsgButtons::YesNoCancel);
    QTest::newRow("confirm") << int(TMsgKind::ConfirmDialog) << "" << "Data modified! Save?"
                             << int(TMsgButtons::YesNoCancel);
    QTest::newRow("start-up question") << Box << "KSF Transmittal Software V2"
                                       << "Have you Transmitted your June 2004 file ?"
                                       << int(TMsgButtons::YesNo);
    QTest::newRow("error box") << int(TMsgKind::ErrorBox) << "KSF Transmittal Generator"
                               << "Invalid delete" << Ok;
  }

  void MessageBoxesAreAsWideAsTheirTitle() {
    QFETCH(int, Kind);
    QFETCH(QString, Caption);
    QFETCH(QString, Text);
    QFETCH(int, Buttons);
    Env.reset();
    TQtEnv Real;
    TMessageRequest Request;
    Request.Kind = static_cast<TMsgKind>(Kind);
    Request.Caption = Caption.toStdString();
    Request.Text = Text.toStdString();
    Request.Buttons = static_cast<TMsgButtons>(Buttons);
    QString Title;
    int Width = 0;
    QStringList Cut;
    WhenModalShown([&](QWidget* Modal) {
      Title = Modal->windowTitle();
      Width = Modal->width();
      Cut = TextsCutShort(Modal);
      Modal->close();
    });
    ::Env().Message(Request);
    QVERIFY(!Title.isEmpty());
    QVERIFY2(Width >= TitleNeeds(Title),
             qPrintable(QString("\"%1\" box %2 wide, its title needs %3").arg(Title).arg(Width).arg(TitleNeeds(Title))));
    QVERIFY2(Cut.isEmpty(), qPrintable(Cut.join("\n")));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

// Without QTEST_MAIN's fixed 96 dots per inch, so that the resolution CTest sets
// reaches the fonts and ScreenDPI.
int main(int argc, char** argv) {
  QApplication App(argc, argv);
  TestWindowTexts Test;
  return QTest::qExec(&Test, argc, argv);
}
#include "test_WindowTexts.moc"

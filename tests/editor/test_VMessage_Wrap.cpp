// The message window shows every message whole: a message longer than the
// window is wide wraps onto further lines (wherever it stands in the list, and
// anew when the window is resized) and no row is cut, without any scrolling
// sideways.

#include <QFontMetrics>
#include <QListView>
#include <QScrollBar>
#include <QTest>

#include "FakeEnv.h"
#include "VMessage.h"

class TestVMessageWrap : public QObject {
  Q_OBJECT

 private slots:
  void ALongMessageWrapsAtTheWindowsWidth_data() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("LongRow");
    QTest::newRow("as designed, long first") << 488 << 0;
    QTest::newRow("as designed, long after short ones") << 488 << 2;
    QTest::newRow("narrowed") << 300 << 1;
  }

  void ALongMessageWrapsAtTheWindowsWidth() {
    QFETCH(int, Width);
    QFETCH(int, LongRow);
    TFakeEnv Env;
    TfrmMessage Form;
    const std::string Long =
        "123-45-6789 : \"Regular contribution($69,999.99) <> 7% from pensionable amount($999,999.99) "
        "and the member's health contribution differs as well\"!";
    std::vector<std::string> Messages(4, "Short one");
    Messages[static_cast<size_t>(LongRow)] = Long;
    Form.SetMessages(Messages);
    Form.show();
    Form.resize(Width, 460);
    QCoreApplication::processEvents();
    QListView* List = Form.lvwMsg;
    const QFontMetrics Metrics(List->font());
    const int Room = List->viewport()->width();
    QVERIFY(Metrics.horizontalAdvance(QString::fromStdString(Long)) > Room);
    const QRect Row = List->visualRect(List->model()->index(LongRow, 0));
    QVERIFY(Row.right() < Room);
    const int Needed =
        Metrics.boundingRect(QRect(0, 0, Room - 8, 10000), Qt::TextWordWrap, QString::fromStdString(Long)).height();
    QVERIFY2(Row.height() >= Needed, qPrintable(QString("%1 < %2").arg(Row.height()).arg(Needed)));
    QCOMPARE(List->horizontalScrollBar()->maximum(), 0);
  }
};

QTEST_MAIN(TestVMessageWrap)
#include "test_VMessage_Wrap.moc"

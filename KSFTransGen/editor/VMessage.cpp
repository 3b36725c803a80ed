#include "VMessage.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "AtomicSave.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "Utils.h"
#include "VMain.h"
#include "VOpening.h"

TfrmMessage* frmMessage = nullptr;

// The rows of the list share one height, so that the view lays out only what it
// shows, however many messages there are. That height is the one the tallest
// message needs once wrapped at the list's width, so no message is cut. The
// tallest is sought among the longest texts only: measuring every one of a
// hundred thousand messages would take seconds.
class TMessageDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void SetTexts(const QStringList& Texts) {
    std::vector<int> Rows(static_cast<size_t>(Texts.size()));
    std::iota(Rows.begin(), Rows.end(), 0);
    const size_t Keep = std::min<size_t>(Rows.size(), 64);
    std::partial_sort(Rows.begin(), Rows.begin() + static_cast<std::ptrdiff_t>(Keep), Rows.end(),
                      [&](int A, int B) { return Texts[A].size() > Texts[B].size(); });
    Rows.resize(Keep);
    FLongest = std::move(Rows);
    FCachedWidth = -1;
  }

  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    // Asked again at every repaint: measured once per width of the list.
    if (Option.rect.width() == FCachedWidth && Option.font == FCachedFont) return FCachedSize;
    QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
    for (int Row : FLongest)
      if (Row < Index.model()->rowCount())
        Size = Size.expandedTo(QStyledItemDelegate::sizeHint(Option, Index.model()->index(Row, 0)));
    FCachedWidth = Option.rect.width();
    FCachedFont = Option.font;
    FCachedSize = Size;
    return Size;
  }

 private:
  std::vector<int> FLongest;
  mutable int FCachedWidth = -1;
  mutable QFont FCachedFont;
  mutable QSize FCachedSize;
};

TfrmMessage::TfrmMessage(QWidget* Parent) : QDialog(Parent) {
  setObjectName("frmMessage");
  BuildLayout();
}

TfrmMessage::~TfrmMessage() {
  if (frmMessage == this) frmMessage = nullptr;
}

void TfrmMessage::BuildLayout() {
  setWindowTitle("KSF Transmittal Software - Error Messages");
  // Laid out for 96 dots per inch and not rescaled: the list takes whatever room there is.
  resize(488, 460);
  UseDesignFont(*this);

  auto* Outer = new QVBoxLayout(this);
  Outer->setContentsMargins(0, 0, 0, 0);
  Outer->setSpacing(0);

  FMessages = new QStringListModel(this);
  lvwMsg = new QListView(this);
  lvwMsg->setObjectName("lvwMsg");
  lvwMsg->setModel(FMessages);
  FDelegate = new TMessageDelegate(lvwMsg);
  lvwMsg->setItemDelegate(FDelegate);
  lvwMsg->setUniformItemSizes(true);
  lvwMsg->setViewMode(QListView::ListMode);
  lvwMsg->setFlow(QListView::TopToBottom);
  lvwMsg->setWrapping(false);
  lvwMsg->setResizeMode(QListView::Adjust);
  // A message is read whole: a long one wraps at the window's width (and wraps
  // anew when the window is resized) instead of running off to the right.
  lvwMsg->setWordWrap(true);
  lvwMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lvwMsg->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvwMsg->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvwMsg->setSelectionMode(QAbstractItemView::SingleSelection);
  lvwMsg->setFrameShape(QFrame::NoFrame);
  QPalette Face = lvwMsg->palette();
  Face.setColor(QPalette::Base, palette().color(QPalette::Button));
  lvwMsg->setPalette(Face);

  pnlOK = new QWidget(this);
  pnlOK->setObjectName("pnlOK");
  pnlOK->setFixedHeight(41);
  btnOK = new QPushButton("OK", pnlOK);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(8, 8, 97, 25);
  btnOK->setDefault(true);
  btnView = new QPushButton("&As File...", pnlOK);
  btnView->setObjectName("btnView");
  btnView->setGeometry(120, 8, 97, 25);

  Outer->addWidget(lvwMsg, 1);
  Outer->addWidget(pnlOK);

  // The buttons first, then the list.
  setTabOrder(btnOK, btnView);
  setTabOrder(btnView, lvwMsg);

  connect(btnOK, &QPushButton::clicked, this, [this] { RunHandler([this] { btnOKClick(); }); });
  connect(btnView, &QPushButton::clicked, this, [this] { RunHandler([this] { btnViewClick(); }); });
}

void TfrmMessage::SetMessages(const std::vector<std::string>& Messages) {
  QStringList Texts;
  Texts.reserve(static_cast<qsizetype>(Messages.size()));
  for (const std::string& Message : Messages) Texts.append(ToQString(Message));
  FDelegate->SetTexts(Texts);
  FMessages->setStringList(Texts);
}

void TfrmMessage::ShowMessages(const std::vector<std::string>& Messages) {
  SetMessages(Messages);
  btnOK->setFocus();
  exec();
  SetMessages({});
}

std::vector<std::string> TfrmMessage::Items() const {
  const QStringList Texts = FMessages->stringList();
  std::vector<std::string> Captions;
  Captions.reserve(static_cast<size_t>(Texts.size()));
  for (const QString& Text : Texts) Captions.push_back(ToStdString(Text));
  return Captions;
}

// Esc and the close box do the same through the dialog's reject.
void TfrmMessage::btnOKClick() { reject(); }

void TfrmMessage::btnViewClick() {
  std::vector<std::string> Lines = Items();
  if (Lines.empty()) {
    Refuse("No messages");
    return;
  }
  uint16_t Year = 0, Month = 0, Amendment = 0, Revision = 0;
  if (frmTrans != nullptr) {
    Year = frmTrans->FYear;
    Month = frmTrans->FMonth;
    Amendment = frmTrans->FAmendment;
    Revision = frmTrans->FRevision;
  }
  std::string FileName = MessageExportFileName(MessageExportFolder(), Year, Month, Amendment,
                                               Revision, SelectedEmployerId);
  WriteMessageFile(FileName, Lines);
  // Without a viewer nothing would show that the file was written, nor where.
  if (!Env().OpenTextFile(FileName))
    Tell("No text viewer could be started. The messages were saved in the file\r\n" + FileName,
         TMsgIcon::Information);
}

void RegisterMessageWindow(TQtEnv& QtEnv) {
  QtEnv.MessagesHandler = [](const std::vector<std::string>& Messages) {
    if (frmMessage != nullptr) frmMessage->ShowMessages(Messages);
  };
}

std::string MessageExportFolder() {
  // The variable is read whole, however long it is.
  const char* Tmp = std::getenv("TMP");
  if (Tmp != nullptr && Tmp[0] != '\0') return Tmp;
  std::string Folder = AppDir;
  if (!Folder.empty() && Folder.back() == '/') Folder.pop_back();
  return Folder;
}

std::string MessageExportFileName(const std::string& Folder, uint16_t Year, uint16_t Month,
                                  uint16_t Amendment, uint16_t Revision,
                                  const std::string& EmployerId) {
  return Folder + "/Msg" + std::to_string(Year) + std::to_string(Month) +
         std::to_string(Amendment) + std::to_string(Revision) + "-" + EmployerId + ".tmp";
}

void WriteMessageFile(const std::string& FileName, const std::vector<std::string>& Messages) {
  const bool Whole = SaveAtomically(FileName, [&Messages](TSaveSink& Sink) {
    for (const std::string& Message : Messages)
      if (!Sink.Put(Message) || !Sink.Put("\r\n", 2)) return false;
    return true;
  });
  // A write that stores less than asked is how a full disk shows.
  if (!Whole) throw EInOutError("Cannot write file \"" + FileName + "\". " + std::strerror(ENOSPC));
}

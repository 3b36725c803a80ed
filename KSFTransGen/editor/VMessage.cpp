#include "VMessage.h"

#include <QHBoxLayout>
#include <QListView>
#include <QStringListModel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "Utils.h"
#include "VMain.h"
#include "VOpening.h"

TfrmMessage* frmMessage = nullptr;

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
  // Every row is one line of the same height: the view lays out only what it shows.
  lvwMsg->setUniformItemSizes(true);
  lvwMsg->setViewMode(QListView::ListMode);
  lvwMsg->setFlow(QListView::TopToBottom);
  lvwMsg->setWrapping(false);
  lvwMsg->setResizeMode(QListView::Adjust);
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
  Env().OpenTextFile(FileName);
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
  std::FILE* File = std::fopen(FileName.c_str(), "wb");
  if (File == nullptr)
    throw EInOutError("Cannot create file " + FileName + ". " + std::strerror(errno));
  bool Ok = true;
  for (const std::string& Message : Messages) {
    if (std::fwrite(Message.data(), 1, Message.size(), File) != Message.size() ||
        std::fwrite("\r\n", 1, 2, File) != 2) {
      Ok = false;
      break;
    }
  }
  int SavedErrno = errno;
  if (std::fclose(File) != 0) Ok = false;
  if (!Ok) throw EInOutError("Cannot write file " + FileName + ". " + std::strerror(SavedErrno));
}

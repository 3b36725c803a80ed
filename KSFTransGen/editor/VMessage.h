#pragma once
// The message window: the one view of the collected error and validation
// messages. It lives, hidden, for the whole run and is shown modally by the
// error list; "As File..." writes the shown messages to a text file and opens it
// in the text viewer, or, where no viewer can be started, says where the file is.

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

class QListView;
class QStringListModel;
class QPushButton;
class QWidget;
class TMessageDelegate;
class TQtEnv;

class TfrmMessage : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmMessage(QWidget* Parent = nullptr);
  ~TfrmMessage() override;

  QWidget* pnlOK = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnView = nullptr;
  // One row per message, read from a model of the texts: a list of a hundred
  // thousand messages opens and scrolls as fast as one of ten.
  QListView* lvwMsg = nullptr;

  // Fills the list with the messages in order, shows the window modally and
  // empties the list again once it is closed.
  void ShowMessages(const std::vector<std::string>& Messages);
  // Puts the messages into the list, replacing what it held.
  void SetMessages(const std::vector<std::string>& Messages);
  // The captions of the listed items, first to last.
  std::vector<std::string> Items() const;

  void btnOKClick();
  // Writes the shown messages to the export file and opens it in the text viewer;
  // when no viewer can be started, a box names the file.
  void btnViewClick();

 private:
  void BuildLayout();
  QStringListModel* FMessages = nullptr;
  TMessageDelegate* FDelegate = nullptr;
};

// The message window, alive for the whole run.
extern TfrmMessage* frmMessage;

// Makes the environment show the collected messages in frmMessage.
void RegisterMessageWindow(TQtEnv& QtEnv);

// The export folder: the TMP environment variable, or, when it is unset or
// empty, the program's folder without its trailing "/".
std::string MessageExportFolder();
// Folder + "/Msg" + year, month, amendment, revision (no leading zeros) + "-" +
// employer ID + ".tmp".
std::string MessageExportFileName(const std::string& Folder, uint16_t Year, uint16_t Month,
                                  uint16_t Amendment, uint16_t Revision,
                                  const std::string& EmployerId);
// Writes one message per line, each ended by CR LF, replacing the file whole or
// not at all (SaveAtomically). Raises EInOutError when the file cannot be written.
void WriteMessageFile(const std::string& FileName, const std::vector<std::string>& Messages);

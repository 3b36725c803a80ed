#pragma once
// The employer-selection window: the program's main window. It lists the
// employer IDs found in the data folder, lets the user pick one or type a new
// three-digit ID (a new one is created through the new-employer dialog), then
// hands over to the transmittal preparation form and hides itself until that
// form closes it, which ends the run.

#include <string>

#include "Forms.h"

class QComboBox;
class QLabel;
class TBitBtn;

class TfrmOpening : public TForm {
  Q_OBJECT

 public:
  // Creates the window and runs FormCreate (measures ScreenDPI, scales the window).
  explicit TfrmOpening(QWidget* Parent = nullptr);
  ~TfrmOpening() override;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* lblIds = nullptr;
  QComboBox* cmbIds = nullptr;
  TBitBtn* bbnOpen = nullptr;
  TBitBtn* bbnHelp = nullptr;
  TBitBtn* bbnCancel = nullptr;

  void FormCreate();
  // Runs at every showing: beep, the June 2004 question, the ID list, Open's enabling.
  void FormShow();
  // Open is enabled exactly for a text of three digits.
  void cmbIdsChange();
  void bbnOpenClick();
  void bbnCancelClick();
  void bbnHelpClick();
  // F1, whatever the shift keys, anywhere in the window opens the help.
  void FormKeyDown(uint16_t& Key, TShiftState Shift);

  // Adds the extension of a data-folder entry to the ID list when the name is
  // 12 characters long with a three-digit extension, unless it is listed already.
  void AddEmployerId(const std::string& Name);
  // Runs the new-employer dialog for the typed ID; true when it wrote the first file.
  bool NewEmployer();

  // True once the window has been closed (Exit, Esc, close box, refused question).
  bool IsClosed() const { return FClosed; }

 signals:
  // The window has closed: the run ends.
  void Closed();

 private:
  void BuildLayout();
  bool FClosed = false;
};

// The main window; null once the preparation form has closed it.
extern TfrmOpening* frmOpening;
// The three-digit employer ID being edited, as typed or picked.
extern std::string SelectedEmployerId;

// Creates and shows the preparation form for SelectedEmployerId (sets frmTrans).
void OpenPreparationForm();

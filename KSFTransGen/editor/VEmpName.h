#pragma once
// The new-employer dialog: asks for the employer's name and first reporting
// month and year, and writes that month's first file (amendment 0, revision 0,
// header and trailer, no member) at once. It ends with OK only after the file
// has been written.

#include <string>

#include "Forms.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TBitBtn;
class TMaskEdit;

class TfrmEmpName : public TForm {
  Q_OBJECT

 public:
  // Creates the dialog and runs FormCreate.
  explicit TfrmEmpName(QWidget* Owner = nullptr);
  ~TfrmEmpName() override;

  QLabel* lblEmpName = nullptr;
  QLineEdit* edtEmpName = nullptr;
  QGroupBox* gbxPeriod = nullptr;
  QLabel* lblMonth = nullptr;
  QComboBox* cmbMonth = nullptr;
  QLabel* lblYear = nullptr;
  TMaskEdit* mskYear = nullptr;
  TBitBtn* bbnCancel = nullptr;
  TBitBtn* bbnOpen = nullptr;

  void FormCreate();
  // Prompt for NewEmployerId, empty name, this year, September.
  void FormShow();
  // Checks name and year, writes the first file and ends the dialog with OK.
  void bbnOpenClick();

 private:
  void BuildLayout();
};

// The dialog while it runs; null otherwise.
extern TfrmEmpName* frmEmpName;
// The three-digit ID of the employer being created.
extern std::string NewEmployerId;

// Writes the employer's first file, without members, into the data folder
// (created when missing): the header names the employer, the trailer counts 0.
// Returns the save's result; file-system errors are raised. HeaderOnly is True
// only during the save, and False again on every way out.
bool WriteFirstTransmittal(const std::string& EmployerId, const std::string& EmployerName,
                           const std::string& Month, const std::string& Year);

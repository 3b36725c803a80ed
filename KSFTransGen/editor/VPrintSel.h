#pragma once
// The print-option dialog: which report to preview, the member report (Yes),
// the transaction report (No), or none (Cancel).

#include <QDialog>

class QPushButton;

class TfrmPrintQ : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmPrintQ(QWidget* Owner);
  ~TfrmPrintQ() override;

  QPushButton* btnDemogr = nullptr;
  QPushButton* btnContr = nullptr;
  QPushButton* btnCancel = nullptr;

  void btnDemogrClick();
  void btnContrClick();
  void btnCancelClick();

 protected:
  void reject() override;
};

// The dialog while it exists, else null.
extern TfrmPrintQ* frmPrintQ;

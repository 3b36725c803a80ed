#include "VPrintSel.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "Env.h"

TfrmPrintQ* frmPrintQ = nullptr;

TfrmPrintQ::TfrmPrintQ(QWidget* Owner) : QDialog(Owner) {
  setObjectName("frmPrintQ");
  setWindowTitle("Select Print Option");
  // Only the system menu among the title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(473, 148);
  auto* Layout = new QHBoxLayout(this);
  btnDemogr = new QPushButton("&Demographic Information", this);
  btnDemogr->setObjectName("btnDemogr");
  btnContr = new QPushButton("&Transaction Information", this);
  btnContr->setObjectName("btnContr");
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  for (QPushButton* B : {btnDemogr, btnContr, btnCancel}) {
    B->setAutoDefault(false);
    B->setMinimumHeight(32);
    Layout->addWidget(B);
  }
  btnDemogr->setDefault(true);
  connect(btnDemogr, &QPushButton::clicked, this, [this] { btnDemogrClick(); });
  connect(btnContr, &QPushButton::clicked, this, [this] { btnContrClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
  frmPrintQ = this;
}

TfrmPrintQ::~TfrmPrintQ() {
  if (frmPrintQ == this) frmPrintQ = nullptr;
}

void TfrmPrintQ::btnDemogrClick() { done(mrYes); }
void TfrmPrintQ::btnContrClick() { done(mrNo); }
void TfrmPrintQ::btnCancelClick() { done(mrCancel); }
// Esc and the close box give Cancel.
void TfrmPrintQ::reject() { done(mrCancel); }

#include "VPrintSel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>

#include "Env.h"

TfrmPrintQ* frmPrintQ = nullptr;

TfrmPrintQ::TfrmPrintQ(QWidget* Owner) : QDialog(Owner) {
  setObjectName("frmPrintQ");
  setWindowTitle("Select Print Option");
  // Only the system menu among the title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
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
  // 473 x 148, or wider where the face needs more room for the captions (a
  // screen of more dots per inch sets the captions larger, not the dialog).
  setFixedSize(std::max(473, Layout->totalMinimumSize().width()), 148);
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

#include "Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "QtEnv.h"

namespace {
const char* const ModalResultProperty = "ksfModalResult";
}

TForm::TForm(QWidget* Parent) : QDialog(Parent) {
  // Forms are plain windows with a close box; the forms set their own frames.
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  qApp->installEventFilter(this);
}

void TForm::SetModalResult(int Value) {
  FModalResult = Value;
  if (Value != mrNone && FModal && !FCheckQueued) {
    FCheckQueued = true;
    // Takes effect once the operation that set it has returned to the event loop.
    QTimer::singleShot(0, this, [this]() { CheckModalResult(); });
  }
}

void TForm::CheckModalResult() {
  FCheckQueued = false;
  if (FModalResult == mrNone || !FModal || !isVisible()) return;
  if (!CanClose()) {
    FModalResult = mrNone;
    return;
  }
  if (OnClose) RunHandler(OnClose);
  QDialog::done(FModalResult);
}

int TForm::ShowModal() {
  FModalResult = mrNone;
  FModal = true;
  setModal(true);
  exec();
  FModal = false;
  setModal(false);
  const int Result = FModalResult;
  return Result;
}

bool TForm::CanClose() {
  bool Allowed = true;
  if (OnCloseQuery) {
    if (!RunHandler([&]() { OnCloseQuery(Allowed); })) Allowed = false;
  }
  return Allowed;
}

void TForm::Close() {
  if (FModal) {
    if (FModalResult == mrNone) SetModalResult(mrCancel);
    return;
  }
  if (!CanClose()) return;
  if (OnClose) RunHandler(OnClose);
  FClosing = true;
  QWidget::close();
  FClosing = false;
}

void TForm::SetDefaultButton(QPushButton* Button) {
  if (Button == nullptr) return;
  Button->setDefault(true);
}

void TForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous() && OnShow) RunHandler(OnShow);
}

void TForm::closeEvent(QCloseEvent* Event) {
  if (FClosing) {  // Close() has asked already
    Event->accept();
    return;
  }
  if (!CanClose()) {
    Event->ignore();
    return;
  }
  if (OnClose) RunHandler(OnClose);
  if (FModal) {
    if (FModalResult == mrNone) FModalResult = mrCancel;
    QDialog::done(FModalResult);
  }
  Event->accept();
}

void TForm::keyPressEvent(QKeyEvent* Event) {
  // Enter presses the button that has the focus; the default button only takes
  // it from the other controls. A user who tabs to Exit and presses Enter leaves.
  const bool Enter = (Event->key() == Qt::Key_Return && Event->modifiers() == Qt::NoModifier) ||
                     (Event->key() == Qt::Key_Enter && (Event->modifiers() & ~Qt::KeypadModifier) == 0);
  if (Enter) {
    auto* Focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (Focused != nullptr && Focused->window() == this && Focused->isVisible()) {
      if (Focused->isEnabled()) Focused->click();
      return;
    }
  }
  QDialog::keyPressEvent(Event);
}

void TForm::reject() {
  // Esc: the cancel button, when there is one that can be pressed.
  if (FCancelButton != nullptr && FCancelButton->isEnabled() && FCancelButton->isVisible())
    FCancelButton->click();
}

bool TForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress || !KeyPreview || !OnKeyDown || !isVisible())
    return QDialog::eventFilter(Watched, Event);
  auto* Target = qobject_cast<QWidget*>(Watched);
  if (Target == nullptr || Target->window() != this) return QDialog::eventFilter(Watched, Event);
  // A key travels from the focus widget up to its parents; preview it once, at the start.
  QWidget* Focus = QApplication::focusWidget();
  if (Focus != nullptr ? Target != Focus : Target != this) return QDialog::eventFilter(Watched, Event);
  auto* KeyEvent = static_cast<QKeyEvent*>(Event);
  uint16_t Key = KeyCodeOf(*KeyEvent);
  if (Key == 0) return QDialog::eventFilter(Watched, Event);
  const TShiftState Shift = ShiftStateOf(*KeyEvent);
  const bool Completed = RunHandler([&]() { OnKeyDown(Key, Shift); });
  if (!Completed || Key == 0) return true;  // the form took the key
  return QDialog::eventFilter(Watched, Event);
}

void SetButtonModalResult(QAbstractButton* Button, int ModalResult) {
  if (Button == nullptr) return;
  const bool First = !Button->property(ModalResultProperty).isValid();
  Button->setProperty(ModalResultProperty, ModalResult);
  // A glyph button hands its result over itself, just before its OnClick.
  if (!First || Button->property("ksfOwnModalResult").toBool()) return;
  // Connected once, ahead of the form's own click handlers when set before them.
  QObject::connect(Button, &QAbstractButton::clicked, Button,
                   [Button]() { HandModalResultToForm(Button); });
}

void HandModalResultToForm(QAbstractButton* Button) {
  const int Result = ButtonModalResult(Button);
  if (Result == mrNone) return;
  if (auto* Form = qobject_cast<TForm*>(Button->window())) Form->SetModalResult(Result);
}

int ButtonModalResult(const QAbstractButton* Button) {
  if (Button == nullptr) return mrNone;
  const QVariant Value = Button->property(ModalResultProperty);
  return Value.isValid() ? Value.toInt() : mrNone;
}

#include "Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
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
  // The close query may ask (a box) and OnClose may free what the form shows:
  // the form is touched afterwards only while it is still there.
  const QPointer<TForm> Self(this);
  const bool Allowed = CanClose();
  if (Self.isNull()) return;
  if (!Allowed) {
    FModalResult = mrNone;
    return;
  }
  CallHandler(OnClose);
  if (Self.isNull()) return;
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
  if (!CallHandler(OnCloseQuery, Allowed)) Allowed = false;
  return Allowed;
}

void TForm::Close() {
  if (FModal) {
    if (FModalResult == mrNone) SetModalResult(mrCancel);
    return;
  }
  const QPointer<TForm> Self(this);
  if (!CanClose() || Self.isNull()) return;
  CallHandler(OnClose);
  if (Self.isNull()) return;
  FClosing = true;
  QWidget::close();
  if (!Self.isNull()) FClosing = false;
}

void TForm::SetCancelButton(QAbstractButton* Button) { FCancelButton = Button; }

void TForm::SetDefaultButton(QPushButton* Button) {
  if (Button == nullptr) return;
  Button->setDefault(true);
}

void TForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) CallHandler(OnShow);
}

void TForm::closeEvent(QCloseEvent* Event) {
  if (FClosing) {  // Close() has asked already
    Event->accept();
    return;
  }
  const QPointer<TForm> Self(this);
  const bool Allowed = CanClose();
  if (Self.isNull()) return;
  if (!Allowed) {
    Event->ignore();
    return;
  }
  CallHandler(OnClose);
  if (Self.isNull()) return;
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
  if (!FCancelButton.isNull() && FCancelButton->isEnabled() && FCancelButton->isVisible())
    FCancelButton->click();
}

bool TForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress || !KeyPreview || !OnKeyDown || !isVisible())
    return QDialog::eventFilter(Watched, Event);
  auto* Target = qobject_cast<QWidget*>(Watched);
  if (Target == nullptr || Target->window() != this || THandedOnKey::Is(Event))
    return QDialog::eventFilter(Watched, Event);
  // A key travels from the focus widget up to its parents; preview it once, at the start.
  QWidget* Focus = QApplication::focusWidget();
  if (Focus != nullptr ? Target != Focus : Target != this) return QDialog::eventFilter(Watched, Event);
  auto* KeyEvent = static_cast<QKeyEvent*>(Event);
  uint16_t Key = KeyCodeOf(*KeyEvent);
  if (Key == 0) return QDialog::eventFilter(Watched, Event);
  const TShiftState Shift = ShiftStateOf(*KeyEvent);
  // The handler may open a box, which takes the focus (a grid's cell editor that
  // loses it is closed and destroyed), or close the form: a key whose target or
  // form is gone has been taken.
  const QPointer<TForm> Self(this);
  const QPointer<QWidget> Alive(Target);
  const bool Completed = CallHandler(OnKeyDown, Key, Shift);
  if (Self.isNull() || Alive.isNull()) return true;
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

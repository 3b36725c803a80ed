#include "MaskEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cctype>

#include "QtEnv.h"
#include "QtText.h"

namespace {
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// Splits at the semicolons that no backslash escapes.
std::vector<std::string> SplitMask(const std::string& Mask) {
  std::vector<std::string> Fields(1);
  for (size_t I = 0; I < Mask.size(); ++I) {
    if (Mask[I] == '\\' && I + 1 < Mask.size()) {
      Fields.back() += Mask[I];
      Fields.back() += Mask[++I];
    } else if (Mask[I] == ';') {
      Fields.emplace_back();
    } else {
      Fields.back() += Mask[I];
    }
  }
  return Fields;
}

// What the program hands Qt's masked line edit for a Text: the shown form, with
// spaces for unfilled positions, which Qt's masked edit reads as unfilled.
QString DisplayToSet(const TEditMask& Mask, const std::string& Value) {
  std::string Display = Mask.DisplayFromText(Value);
  for (char& C : Display)
    if (C == Mask.Blank()) C = ' ';
  return ToQString(Display);
}

// The box's shown text, every position, unfilled ones as the blank character.
std::string ShownOf(const TEditMask& Mask, const QLineEdit& Box) {
  std::string Shown = ToStdString(Box.displayText());
  Shown.resize(static_cast<size_t>(Mask.Length()), Mask.Blank());
  return Shown;
}
}  // namespace

TEditMask::TEditMask(const std::string& Mask) : FMask(Mask) {
  if (Mask.empty()) return;
  const std::vector<std::string> Fields = SplitMask(Mask);
  const std::string& Pattern = Fields[0];
  if (Fields.size() > 1 && !Fields[1].empty()) FKeepLiterals = Fields[1][0] != '0';
  if (Fields.size() > 2 && !Fields[2].empty()) FBlank = Fields[2][0];
  size_t I = 0;
  if (!Pattern.empty() && Pattern[0] == '!') {
    FReverse = true;
    I = 1;
  }
  for (; I < Pattern.size(); ++I) {
    const char C = Pattern[I];
    if (C == '\\' && I + 1 < Pattern.size()) {
      FPositions.push_back({TKind::Literal, Pattern[++I]});
    } else if (C == '0') {
      FPositions.push_back({TKind::Required, 0});
    } else if (C == '9') {
      FPositions.push_back({TKind::Optional, 0});
    } else {
      // "/" stands for the date separator, which the program expects to be "/".
      FPositions.push_back({TKind::Literal, C});
    }
  }
}

QString TEditMask::QtInputMask() const {
  if (!IsMasked()) return QString();
  // Qt reads 9 as a required and 0 as an optional digit, and gives many letters a meaning.
  static const std::string QtSpecial = "AaNnXx90Dd#HhBb<>!{}[]\\;";
  std::string Qt;
  for (const TPosition& P : FPositions) {
    switch (P.Kind) {
      case TKind::Required: Qt += '9'; break;
      case TKind::Optional: Qt += '0'; break;
      case TKind::Literal:
        if (QtSpecial.find(P.Literal) != std::string::npos) Qt += '\\';
        Qt += P.Literal;
        break;
    }
  }
  Qt += ';';
  Qt += FBlank;
  return ToQString(Qt);
}

std::string TEditMask::TextFromDisplay(const std::string& Display) const {
  if (!IsMasked()) return Display;
  std::string Text;
  for (int I = 0; I < Length(); ++I) {
    const TPosition& P = FPositions[static_cast<size_t>(I)];
    const char Shown = I < static_cast<int>(Display.size()) ? Display[static_cast<size_t>(I)] : FBlank;
    if (P.Kind == TKind::Literal) {
      if (FKeepLiterals) Text += P.Literal;
      continue;
    }
    Text += (Shown == FBlank || !IsDigit(Shown)) ? ' ' : Shown;
  }
  if (!FKeepLiterals) {
    if (FReverse) {
      const size_t First = Text.find_first_not_of(' ');
      Text = First == std::string::npos ? std::string() : Text.substr(First);
    } else {
      const size_t Last = Text.find_last_not_of(' ');
      Text = Last == std::string::npos ? std::string() : Text.substr(0, Last + 1);
    }
  }
  return Text;
}

std::string TEditMask::DisplayFromText(const std::string& Text) const {
  if (!IsMasked()) return Text;
  std::string Display(static_cast<size_t>(Length()), FBlank);
  if (!FKeepLiterals) {
    // The text holds the input positions only; a ! mask aligns it to the end.
    int Inputs = 0;
    for (int I = 0; I < Length(); ++I)
      if (IsInput(I)) ++Inputs;
    std::string Chars = Text.substr(0, std::min(Text.size(), static_cast<size_t>(Inputs)));
    if (FReverse && static_cast<int>(Chars.size()) < Inputs)
      Chars.insert(0, static_cast<size_t>(Inputs) - Chars.size(), ' ');
    size_t Next = 0;
    for (int I = 0; I < Length(); ++I) {
      const TPosition& P = FPositions[static_cast<size_t>(I)];
      if (P.Kind == TKind::Literal) {
        Display[static_cast<size_t>(I)] = P.Literal;
      } else if (Next < Chars.size()) {
        const char C = Chars[Next++];
        if (IsDigit(C)) Display[static_cast<size_t>(I)] = C;
      }
    }
    return Display;
  }
  // The text holds the literals too: walk both, so that a short field ("1/2/2004")
  // still lands between the right literals.
  size_t T = 0;
  for (int I = 0; I < Length(); ++I) {
    const TPosition& P = FPositions[static_cast<size_t>(I)];
    if (P.Kind == TKind::Literal) {
      Display[static_cast<size_t>(I)] = P.Literal;
      if (T < Text.size() && Text[T] == P.Literal) ++T;
      continue;
    }
    if (T >= Text.size()) continue;
    const char C = Text[T];
    if (IsDigit(C)) {
      Display[static_cast<size_t>(I)] = C;
      ++T;
      continue;
    }
    // A literal that is still to come ends this field early: leave the position unfilled.
    bool UpcomingLiteral = false;
    for (int J = I + 1; J < Length(); ++J) {
      const TPosition& Q = FPositions[static_cast<size_t>(J)];
      if (Q.Kind == TKind::Literal) {
        UpcomingLiteral = Q.Literal == C;
        break;
      }
    }
    if (!UpcomingLiteral) ++T;
  }
  return Display;
}

bool TEditMask::HasLiteral(char C) const {
  for (const TPosition& P : FPositions)
    if (P.Kind == TKind::Literal && P.Literal == C) return true;
  return false;
}

int TEditMask::FirstUnfilled(const std::string& Display) const {
  for (int I = 0; I < Length(); ++I) {
    if (!IsInput(I)) continue;
    if (I >= static_cast<int>(Display.size()) || !IsDigit(Display[static_cast<size_t>(I)])) return I;
  }
  return -1;
}

bool TEditMask::TakesTypingAt(int Pos) const {
  for (int I = std::max(Pos, 0); I < Length(); ++I)
    if (IsInput(I)) return true;
  return false;
}

bool TEditMask::IsFilledFrom(const std::string& Display, int Pos) const {
  const int End = std::min(Length(), static_cast<int>(Display.size()));
  for (int I = std::max(Pos, 0); I < End; ++I)
    if (IsInput(I) && IsDigit(Display[static_cast<size_t>(I)])) return true;
  return false;
}

bool TEditMask::IsComplete(const std::string& Display) const {
  for (int I = 0; I < Length(); ++I) {
    if (FPositions[static_cast<size_t>(I)].Kind != TKind::Required) continue;
    if (I >= static_cast<int>(Display.size()) || !IsDigit(Display[static_cast<size_t>(I)])) return false;
  }
  return true;
}

// ---------------------------------------------------------------- TMaskEdit

const char* const TMaskEdit::IncompleteMessage =
    "The entry is incomplete. Fill in every required digit, or press Esc to undo the change.";

TMaskEdit::TMaskEdit(QWidget* Parent) : QLineEdit(Parent) {
  connect(this, &QLineEdit::textChanged, this, [this](const QString&) { CallHandler(OnChange); });
}

void TMaskEdit::SetEditMask(const std::string& Mask) {
  const std::string Old = Text();
  FMask = TEditMask(Mask);
  setInputMask(FMask.QtInputMask());
  if (FMask.IsMasked()) SetText(Old);
}

std::string TMaskEdit::EditText() const {
  if (!FMask.IsMasked()) return ToStdString(text());
  return ShownOf(FMask, *this);
}

std::string TMaskEdit::Text() const {
  if (!FMask.IsMasked()) return ToStdString(text());
  return FMask.TextFromDisplay(EditText());
}

std::string TMaskEdit::TextFor(const std::string& Value) const {
  if (!FMask.IsMasked()) return ToStdString(ToQString(Value).left(maxLength()));
  // Where a character that no position takes leaves the others is Qt's masked
  // edit's own rule: a scratch edit with this box's mask, never shown, applies it.
  QLineEdit Scratch;
  Scratch.setInputMask(inputMask());
  Scratch.setText(DisplayToSet(FMask, Value));
  return FMask.TextFromDisplay(ShownOf(FMask, Scratch));
}

void TMaskEdit::SetText(const std::string& Value) {
  if (!FMask.IsMasked()) {
    setText(ToQString(Value));
    return;
  }
  setText(DisplayToSet(FMask, Value));
  // Qt leaves the cursor after the last position, where no key types anything.
  // A box with the focus gets it where typing starts; one without shows no
  // selection (the entry puts the cursor in place), and the text set by the
  // program replaces wherever the user had left the cursor.
  FAwayInAnotherWindow = false;
  if (hasFocus())
    PlaceCursorForTyping();
  else
    setCursorPosition(0);
}

void TMaskEdit::PlaceCursorForTyping() {
  if (!FMask.IsMasked()) return;
  const int First = FMask.FirstUnfilled(EditText());
  if (First < 0)
    selectAll();
  else
    setCursorPosition(First);
}

void TMaskEdit::SetMaxLength(int Value) { setMaxLength(Value > 0 ? Value : 32767); }

bool TMaskEdit::IsComplete() const { return !FMask.IsMasked() || FMask.IsComplete(EditText()); }

bool TMaskEdit::MustStay() const {
  return EnforceComplete && FMask.IsMasked() && isModified() && !IsComplete();
}

void TMaskEdit::RefuseLeave() {
  if (FRefusing) return;
  FRefusing = true;
  setFocus(Qt::OtherFocusReason);
  Env().Beep();
  // The box runs events while it is up; the box is refocused only if still there.
  const QPointer<TMaskEdit> Self(this);
  ShowException(IncompleteMessage);
  if (Self.isNull()) return;
  setFocus(Qt::OtherFocusReason);
  FRefusing = false;
}

void TMaskEdit::WatchApplication(bool On) {
  if (On == FWatching) return;
  FWatching = On;
  if (On)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
}

void TMaskEdit::focusInEvent(QFocusEvent* Event) {
  QLineEdit::focusInEvent(Event);
  const Qt::FocusReason Reason = Event->reason();
  const bool WasAway = FAwayInAnotherWindow;
  FAwayInAnotherWindow = false;
  if (FMask.IsMasked() && !FRefusing && PlaceCursorOnEntry && Reason != Qt::MouseFocusReason) {
    // Back from another window (a message box, a popup) the cursor stays where
    // the user left it, unless no key would type anything there (after the end
    // of a full box). Any other entry, the window's first showing included,
    // starts where typing starts.
    const bool Back = WasAway && (Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason);
    if (!Back || (!hasSelectedText() && !FMask.TakesTypingAt(cursorPosition()))) PlaceCursorForTyping();
  }
  if (!FRefusing) FTextOnEnter = Text();
  WatchApplication(FMask.IsMasked());
}

void TMaskEdit::focusOutEvent(QFocusEvent* Event) {
  QLineEdit::focusOutEvent(Event);
  const Qt::FocusReason Reason = Event->reason();
  // Another window taking the focus, or a popup, is no leaving of the box.
  if (Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason) {
    FAwayInAnotherWindow = true;
    return;
  }
  if (FRefusing) return;
  if (!MustStay()) {
    WatchApplication(false);
    CallHandler(OnExit);
    return;
  }
  if (Reason == Qt::MouseFocusReason) FRefuseNextPress = true;
  QTimer::singleShot(0, this, [this]() {
    FRefuseNextPress = false;
    if (MustStay() && !hasFocus()) RefuseLeave();
  });
}

bool TMaskEdit::event(QEvent* Event) {
  if (Event->type() == QEvent::KeyPress) {
    auto* Key = static_cast<QKeyEvent*>(Event);
    if ((Key->key() == Qt::Key_Tab || Key->key() == Qt::Key_Backtab) && MustStay()) {
      RefuseLeave();
      return true;
    }
  }
  return QLineEdit::event(Event);
}

void TMaskEdit::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_Escape && FMask.IsMasked() && isModified()) {
    // Esc abandons the change: back to the text the box had when it got the focus.
    SetText(FTextOnEnter);
    Event->ignore();
    return;
  }
  if (FMask.IsMasked() && RejectsCharacter(*Event)) {
    // A character no position of the mask takes: refused with a beep, and the
    // selected text stays (typing over a selection would otherwise clear it first).
    Beep();
    Event->accept();
    return;
  }
  QLineEdit::keyPressEvent(Event);
}

bool TMaskEdit::IsClickBeyondTheDigits(const QMouseEvent& Event) {
  // After the last digit: on the blanks, or past the end of a text narrower
  // than the box, where keys would land after the click or vanish after the end
  // of the mask.
  return FMask.IsMasked() && Event.button() == Qt::LeftButton &&
         !FMask.IsFilledFrom(EditText(), cursorPositionAt(Event.position().toPoint()));
}

void TMaskEdit::mousePressEvent(QMouseEvent* Event) {
  const bool Beyond = IsClickBeyondTheDigits(*Event);
  QLineEdit::mousePressEvent(Event);
  // A click on the digits stays where it is, to correct one in place; one beyond
  // them starts where typing starts. A selection made by the press (Shift+click,
  // a triple click) is left as it is.
  if (Beyond && !hasSelectedText()) PlaceCursorForTyping();
}

void TMaskEdit::mouseDoubleClickEvent(QMouseEvent* Event) {
  const bool Beyond = IsClickBeyondTheDigits(*Event);
  QLineEdit::mouseDoubleClickEvent(Event);
  // Beyond the digits Qt would select a group of blanks, and the keys would fill
  // that group wherever it lies.
  if (Beyond) PlaceCursorForTyping();
}

bool TMaskEdit::RejectsCharacter(const QKeyEvent& Event) const {
  if (Event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString Typed = Event.text();
  if (Typed.size() != 1) return false;
  const QChar C = Typed.at(0);
  // Digits fill the positions, a blank clears one, a literal steps over itself.
  if (!C.isPrint() || C.isDigit() || C == QChar(' ')) return false;
  return !FMask.HasLiteral(C.toLatin1());
}

bool TMaskEdit::eventFilter(QObject* Watched, QEvent* Event) {
  // A mouse press that took the focus away from a box that must keep it: Qt has
  // moved the focus before the press reaches the widget, so the press is dropped
  // here and the focus comes back.
  if (FRefuseNextPress && Event->type() == QEvent::MouseButtonPress && qobject_cast<QWidget*>(Watched) != nullptr) {
    FRefuseNextPress = false;
    if (MustStay()) {
      RefuseLeave();
      return true;
    }
  }
  return QLineEdit::eventFilter(Watched, Event);
}

void ApplyEditMask(TMaskEdit& Editor, const std::string& Mask) { Editor.SetEditMask(Mask); }

#include "Keys.h"

#include <QKeyEvent>

uint16_t KeyCodeOf(const QKeyEvent& Event) {
  const int Key = Event.key();
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9) {
    if (Event.modifiers() & Qt::KeypadModifier) return static_cast<uint16_t>(VK_NUMPAD0 + (Key - Qt::Key_0));
    return static_cast<uint16_t>(Key);  // '0'..'9' are 48..57
  }
  if (Key >= Qt::Key_A && Key <= Qt::Key_Z) return static_cast<uint16_t>(Key);  // 65..90
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (Key - Qt::Key_F1));
  switch (Key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: break;
  }
  // Punctuation: the character's code, as far as the classic table has one.
  const QString Text = Event.text();
  if (Text.size() == 1) {
    const ushort Code = Text.at(0).unicode();
    if (Code >= 0x20 && Code < 0x7F) {
      if (Code >= 'a' && Code <= 'z') return static_cast<uint16_t>(Code - 'a' + 'A');
      return 0;  // other punctuation keys have codes above 90; no handler tests them
    }
  }
  return 0;
}

TShiftState ShiftStateOf(const QKeyEvent& Event) {
  TShiftState Shift = 0;
  const Qt::KeyboardModifiers Mods = Event.modifiers();
  if (Mods & Qt::ShiftModifier) Shift |= ssShift;
  if (Mods & Qt::ControlModifier) Shift |= ssCtrl;
  if (Mods & Qt::AltModifier) Shift |= ssAlt;
  if (Event.key() == Qt::Key_Backtab) Shift |= ssShift;
  return Shift;
}

char KeyCharOf(const QKeyEvent& Event) {
  const QString Text = Event.text();
  if (Text.size() != 1) return 0;
  const ushort Code = Text.at(0).unicode();
  if (Code < 0x20 || Code == 0x7F || Code > 0xFF) {
    // Backspace, Enter and Esc type their control characters, as the toolkit's key press reports them.
    if (Code == 8 || Code == 13 || Code == 27) return static_cast<char>(Code);
    return 0;
  }
  return static_cast<char>(Code);
}

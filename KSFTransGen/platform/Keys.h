#pragma once
// Key codes and shift states as the program's handlers see them: the classic
// virtual-key numbers (8 Backspace, 9 Tab, 13 Enter, 27 Esc, 46 Delete, 48-57
// digits, 65-90 letters, 112 F1), whatever the window system delivers.

#include <cstdint>

class QEvent;
class QKeyEvent;

enum : uint16_t {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_SHIFT = 16,
  VK_CONTROL = 17,
  VK_MENU = 18,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_PRIOR = 33,
  VK_NEXT = 34,
  VK_END = 35,
  VK_HOME = 36,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_INSERT = 45,
  VK_DELETE = 46,
  VK_NUMPAD0 = 96,
  VK_F1 = 112,
};

// Shift, Ctrl and Alt, as bit flags.
using TShiftState = uint8_t;
enum : TShiftState { ssShift = 1, ssCtrl = 2, ssAlt = 4 };

// Backspace, Delete and the digit and letter keys (codes 48 to 90, with or
// without Shift, Ctrl or Alt): the keys that change a cell's text.
inline bool IsEditingKey(uint16_t Key) { return Key == VK_BACK || Key == VK_DELETE || (Key >= 48 && Key <= 90); }

// The mouse button of a press.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The key code of a key event (0 for keys without one).
uint16_t KeyCodeOf(const QKeyEvent& Event);
// The shift state of a key event.
TShiftState ShiftStateOf(const QKeyEvent& Event);
// The single character the event types, or 0 when it types none (or more than one,
// or one outside the single-byte range).
char KeyCharOf(const QKeyEvent& Event);

// Alt with a character key is an accelerator and never text. The toolkit runs
// the shortcut of an enabled control that the chord names before any widget
// sees the key; a chord that names none reaches the controls as a key press
// that types no character: key-down handlers see it (with ssAlt), key-press
// handlers and boxes do not, so no box takes "a" from Alt+A, whether its
// control is disabled or there is none. Ctrl+Alt (AltGr on some keyboards)
// still types, and menus keep Alt+letter for their items. This holds for every
// window of the application from its start.
bool IsAltChord(const QKeyEvent& Event);

// Marks a key press that a control hands on to another for as long as it does
// (a grid hands the key that opens its cell editor to that editor, or a changed
// key in its place): the form has previewed that key press already.
class THandedOnKey {
 public:
  explicit THandedOnKey(const QEvent* Event);
  ~THandedOnKey();
  THandedOnKey(const THandedOnKey&) = delete;
  THandedOnKey& operator=(const THandedOnKey&) = delete;
  static bool Is(const QEvent* Event);

 private:
  const QEvent* FPrevious;
};

#include "Keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

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
  switch (Key) {
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Print: return 44;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: break;
  }
  // Symbols. The window system reports the character a key types, not the key;
  // the classic codes name the key, so a shifted digit is its digit key (the
  // handlers beep at Shift+4 as at 4) and each punctuation key has its own code
  // above 90. The layout is taken as the US one.
  if (Key >= 0x20 && Key < 0x7F) {
    if (Event.modifiers() & Qt::KeypadModifier) {
      switch (Key) {
        case '*': return 106;
        case '+': return 107;
        case '-': return 109;
        case '.':
        case ',': return 110;
        case '/': return 111;
        default: return 0;
      }
    }
    static const char ShiftedDigits[] = ")!@#$%^&*(";
    for (int D = 0; D < 10; ++D)
      if (Key == ShiftedDigits[D]) return static_cast<uint16_t>('0' + D);
    switch (Key) {
      case ';': case ':': return 186;
      case '=': case '+': return 187;
      case ',': case '<': return 188;
      case '-': case '_': return 189;
      case '.': case '>': return 190;
      case '/': case '?': return 191;
      case '`': case '~': return 192;
      case '[': case '{': return 219;
      case '\\': case '|': return 220;
      case ']': case '}': return 221;
      case '\'': case '"': return 222;
      default: break;
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

namespace {
const QEvent* GHandedOn = nullptr;
}

THandedOnKey::THandedOnKey(const QEvent* Event) : FPrevious(GHandedOn) { GHandedOn = Event; }
THandedOnKey::~THandedOnKey() { GHandedOn = FPrevious; }
bool THandedOnKey::Is(const QEvent* Event) { return Event != nullptr && Event == GHandedOn; }

// ---------------------------------------------------------------- Alt chords

bool IsAltChord(const QKeyEvent& Event) {
  const Qt::KeyboardModifiers Mods = Event.modifiers();
  if (!(Mods & Qt::AltModifier) || (Mods & Qt::ControlModifier)) return false;
  const QString Text = Event.text();
  return !Text.isEmpty() && Text.at(0).isPrint();
}

namespace {

// Takes the character out of a key event that is under way, so that it goes on
// to its widget and the widget's parents as a key without text.
struct TKeyEventText : QKeyEvent {
  static void Clear(QKeyEvent& Event) { (Event.*&TKeyEventText::m_text).clear(); }
};

class TAltChordFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::KeyPress) return false;
    auto* Key = static_cast<QKeyEvent*>(Event);
    if (!IsAltChord(*Key)) return false;
    // The window object hands the key on to the widget with the focus; the key
    // is taken there. A popup menu reads Alt+letter as one of its items.
    auto* Target = qobject_cast<QWidget*>(Watched);
    if (Target == nullptr || Target->window()->windowType() == Qt::Popup) return false;
    TKeyEventText::Clear(*Key);
    return false;
  }
};

void InstallAltChordFilter() {
  QCoreApplication* App = QCoreApplication::instance();
  // Installed first, so it runs after the filters that windows install later:
  // their key preview still sees the chord as the user pressed it.
  if (App != nullptr) App->installEventFilter(new TAltChordFilter(App));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallAltChordFilter)

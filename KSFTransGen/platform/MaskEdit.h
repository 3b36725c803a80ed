#pragma once
// Edit masks and the masked edit box.
//
// A mask has three fields separated by semicolons: the pattern, the keep-literals
// flag and the blank character, e.g. "!99/99/0000;1;_". In the pattern 0 is a
// required digit, 9 an optional digit, "/" the date separator, a backslash makes
// the next character a literal, any other character is a literal, and a leading !
// drops unfilled positions at the start of the text instead of at the end.
//
// The box's Text, which the program reads and stores:
// - keep-literals 1: every position, literals included, an unfilled position as a
//   blank ("  /  /    " for an empty date box);
// - keep-literals 0: the typed characters without the literals, unfilled
//   positions between them as blanks and those at the end dropped (at the start
//   for a ! mask): "5551234" for a full phone box, "123" for "123-__-____".
// A box the user changed cannot be left while a required position is unfilled.
//
// Where typing starts: a masked box that the keyboard (Tab, Shift+Tab, an
// accelerator) or the program (a focus move, a text set) puts the cursor in gets
// it on its first unfilled position, or, when every position is filled, over the
// whole text, so that what the user types next fills the box or replaces it. A
// click inside the filled text puts the cursor where it was clicked, so that a
// digit can be corrected in place; a click or double click beyond the last
// filled position (on the unfilled positions, or past the end of the text in a
// box wider than it) puts it where typing starts, as the keyboard does. Coming
// back from another window or a popup keeps the cursor where it was, as long as
// typing lands there. A grid's cell editor has its whole text selected when it
// opens; a click into it then follows the rule of a click.

#include <QLineEdit>
#include <functional>
#include <string>
#include <vector>

class TEditMask {
 public:
  TEditMask() = default;
  explicit TEditMask(const std::string& Mask);

  bool IsMasked() const { return !FPositions.empty(); }
  const std::string& Mask() const { return FMask; }
  bool KeepLiterals() const { return FKeepLiterals; }
  bool Reverse() const { return FReverse; }
  char Blank() const { return FBlank; }
  // Number of positions (input and literal) the box shows.
  int Length() const { return static_cast<int>(FPositions.size()); }

  // The Qt input mask that edits the same positions.
  QString QtInputMask() const;
  // The box's Text from what it shows (every position, unfilled ones as the blank character).
  std::string TextFromDisplay(const std::string& Display) const;
  // What the box shows for a Text given by the program.
  std::string DisplayFromText(const std::string& Text) const;
  // True when every required position of the shown text holds a digit.
  bool IsComplete(const std::string& Display) const;
  // True when C is one of the pattern's literal characters.
  bool HasLiteral(char C) const;
  // The first input position of the shown text that holds no digit; -1 when every one does.
  int FirstUnfilled(const std::string& Display) const;
  // True when typing at position Pos lands in an input position (at Pos or after it).
  bool TakesTypingAt(int Pos) const;
  // True when an input position at Pos or after it holds a digit.
  bool IsFilledFrom(const std::string& Display, int Pos) const;

 private:
  enum class TKind { Required, Optional, Literal };
  struct TPosition {
    TKind Kind;
    char Literal;
  };
  bool IsInput(int I) const { return FPositions[static_cast<size_t>(I)].Kind != TKind::Literal; }

  std::string FMask;
  std::vector<TPosition> FPositions;
  bool FKeepLiterals = true;
  bool FReverse = false;
  char FBlank = '_';
};

class TMaskEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMaskEdit(QWidget* Parent = nullptr);

  std::string EditMask() const { return FMask.Mask(); }
  // An empty mask makes a plain edit. Keeps the text as far as the new mask takes it.
  void SetEditMask(const std::string& Mask);

  // The text as the mask defines it (see above).
  std::string Text() const;
  // Sets the text from the program; runs OnChange when the text changes, and
  // leaves the box unchanged in the user's sense (it may be left). The cursor
  // goes where typing starts.
  void SetText(const std::string& Value);
  // What the box shows, unfilled positions as the blank character.
  std::string EditText() const;
  // The Text the box would give once SetText(Value) had set it: what the box
  // makes of a value it may not be able to show as it is (a letter in a digit
  // position, more characters than it takes). Changes nothing.
  std::string TextFor(const std::string& Value) const;

  // Most characters a plain (unmasked) box takes; 0 for no limit.
  void SetMaxLength(int Value);
  bool Modified() const { return isModified(); }
  bool IsComplete() const;

  // Whether a changed box may be left incomplete; grid cell editors allow it.
  bool EnforceComplete = true;
  // Whether getting the focus puts the cursor where typing starts; a grid's cell
  // editor keeps its whole text selected instead, so the first key replaces it.
  bool PlaceCursorOnEntry = true;

  // Runs at every change of the text, by the user or the program.
  std::function<void()> OnChange;
  // Runs when the box loses the focus (and may leave).
  std::function<void()> OnExit;

  // The message shown when a changed box is left incomplete.
  static const char* const IncompleteMessage;

 protected:
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  // True for a typed character that no position of the mask takes (a letter in a
  // digit mask): such a key changes nothing.
  bool RejectsCharacter(const QKeyEvent& Event) const;
  bool event(QEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  bool MustStay() const;
  // True for a left click after the last filled position (see where typing starts);
  // not const only because Qt's cursorPositionAt is not.
  bool IsClickBeyondTheDigits(const QMouseEvent& Event);
  // Puts the cursor where typing starts (see above).
  void PlaceCursorForTyping();
  void RefuseLeave();
  void WatchApplication(bool On);

  TEditMask FMask;
  std::string FTextOnEnter;  // shown text when the box got the focus, for Esc
  bool FWatching = false;
  bool FRefusing = false;
  bool FRefuseNextPress = false;
  // The focus went to another window or a popup and is expected back.
  bool FAwayInAnotherWindow = false;
};

// Gives a cell editor the mask (an empty mask: plain editing).
void ApplyEditMask(TMaskEdit& Editor, const std::string& Mask);

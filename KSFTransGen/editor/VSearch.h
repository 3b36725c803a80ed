#pragma once
// The search dialog: filters the members of the open transmittal by one field,
// one comparison and one value. Every search judges every member afresh and
// sets its Visible flag; nothing is combined with the filter before. The last
// field, comparison and value are remembered for the next search of the run.
//
// The dialog's modal result tells the caller what happened: OK after Search
// (also after a value that does not convert, when no flag has changed), Cancel
// after Cancel or the close box.

#include <array>
#include <cstdint>
#include <string>

#include "Forms.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TRecord;
template <class T>
class TFreeList;

// How a field's value is read and compared.
enum class TSearchKind { Text, Date, Number };

// One entry of the field list: its item text, the member field and its kind.
struct TSearchField {
  const char* Item;
  const std::string* FieldName;
  TSearchKind Kind;
};

// The field list, in the order the dialog shows it.
extern const std::array<TSearchField, 11> SearchFields;

// The comparisons, in the order the dialog shows them.
enum TSearchOp : uint16_t {
  soEqual,
  soNotEqual,
  soGreater,
  soGreaterOrEqual,
  soLess,
  soLessOrEqual,
};
extern const std::array<const char*, 6> SearchOps;

enum class TSearchOutcome { Filtered, InvalidDate, InvalidAmount };

// Sets every member's Visible flag to whether it satisfies "field Op Value"
// (Field and Op are positions in the two lists). Text compares the member's
// trimmed text with Value, both upper-cased (a to z), Value untrimmed; dates
// and numbers compare exactly, except that numbers are equal (and unequal)
// within 0.0001. A date or number value that does not convert changes no flag.
TSearchOutcome FilterMembers(const TFreeList<TRecord>& Details, uint16_t Field, uint16_t Op,
                             const std::string& Value);

class TfrmSearch : public TForm {
  Q_OBJECT

 public:
  // Creates the dialog and runs FormCreate.
  explicit TfrmSearch(QWidget* Owner = nullptr);
  ~TfrmSearch() override;

  QGroupBox* GroupBox1 = nullptr;
  QListWidget* lbxFields = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QListWidget* lbxOps = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLineEdit* edtValue = nullptr;
  QPushButton* btnSearch = nullptr;
  QPushButton* btnCancel = nullptr;

  void FormCreate();
  // Restores the remembered field, comparison and value.
  void FormShow();
  // Filters the members of Trans and remembers the choices; a value that does
  // not convert is refused with a beep and a box, and nothing is remembered.
  void btnSearchClick();
  // Remembers the choices; changes no member.
  void btnCancelClick();

 private:
  void BuildLayout();
  void RememberChoices() const;
};

// The choices of the last completed search or Cancel, for the whole run;
// "SSN", "Equal To" and the empty text at start.
extern uint16_t LastSearchField;
extern uint16_t LastSearchOp;
extern std::string LastSearchValue;
// The dialog while a search runs; null otherwise.
extern TfrmSearch* frmSearch;

#pragma once
// Tables of columns of record fields, for the grids (and later the reports) that
// show members: one row per column, written down in column order, and read by
// every routine of the grid, so that a column's title, width, content, drawing,
// edit mask, typing rule and storing stand in one place and nowhere else.
//
//   const TGridColumn Columns[] = {
//   //  title   width  field        cell text        drawn as         mask  typing stored
//     {"SSN",    80,  &fnMemberSSN, TCellText::Text, TCellLook::SSN,  "",   false, false},
//   };
//
// A grid adds what is its own (a width rule for the column that takes the rest,
// which flag its keys set) beside its table; a new property that some tables
// need goes at the end of TGridColumn with a default, so the other tables stand.

#include <cstdint>
#include <span>
#include <string>

#include "Canvas.h"

class TRecord;
class TStringGrid;

// How a record's field becomes the cell's text, how a typed text is compared
// with the field, and how it is stored back.
enum class TCellText {
  Text,        // the field's text; compared upper-cased, the typed side trimmed
  Date,        // the field's text, empty for a blank date; compared as a date
  Amount,      // the field's number, two decimals, trimmed; compared as a number
  GenderWord,  // the word of the gender code; compared and stored as the code of its first letter
  LastFirst,   // the last name (the column's field), ", " and the first name; never compared or stored
};

// How a cell's text is drawn (over the cell filled with the canvas's brush).
enum class TCellLook {
  Text,        // as it stands, from the left
  InfoText,    // as it stands, on the tooltip background
  SSN,         // NNN-NN-NNNN, on the tooltip background
  Phone,       // NNN-NNNN
  GenderWord,  // the gender word of its first letter
  Money,       // "$" and the amount, right-aligned
  Amount,      // the amount without "$", right-aligned
  Percent,     // the amount followed by "%", right-aligned
};

struct TGridColumn {
  const char* Title;
  // Design width in pixels at 96 per inch; 0 for the column whose width the
  // grid's own rule gives.
  int32_t Width;
  // The record field behind the cell (the last name for TCellText::LastFirst).
  const std::string* Field;
  TCellText Text;
  TCellLook Look;
  // The in-place editor's edit mask; "" for none.
  const char* Mask;
  // The cell takes typing (while the file may be changed).
  bool Typing;
  // A save copies the cell's text into Field.
  bool Stored;
  // How the status line names the column when the members are sorted by it
  // (by Field); null for a column nothing sorts by.
  const char* SortLabel = nullptr;
  // The widest text the column must show whole, as drawn ("" when its width
  // is all it can give, as for names).
  const char* Widest = "";
  // The title is drawn bold (a caption column whose field the checks require).
  bool Bold = false;
};

using TGridColumns = std::span<const TGridColumn>;

// The column of a table at ACol, or null outside it.
const TGridColumn* ColumnAt(TGridColumns Columns, int32_t ACol);

// The text of the column's cell for a record.
std::string CellText(const TRecord& Record, const TGridColumn& Column);
// Copies a cell's text into the column's field of the record, in the field's
// kind (a gender word as its code). Only for columns with Stored.
void StoreCellText(TRecord& Record, const TGridColumn& Column, const std::string& Text);
// Whether a typed text can be stored in the column's field as the clerk means
// it: an amount column takes only a number (the field would store a text that
// is none, or nothing at all, as 0). Every other column takes any text.
bool IsStorableCellText(const TGridColumn& Column, const std::string& Text);
// How a refusal names a member: "444-55-6666 (SMITH, ANNA)".
std::string MemberLabel(const std::string& SSN, const std::string& LastName,
                        const std::string& FirstName);
std::string MemberLabel(const TRecord& Record);
// The refusal of a typed amount that is no number, naming the member (a
// MemberLabel), the column by its title and the text as typed:
//   The amount "1,000" typed for member 444-55-6666 (SMITH, ANNA) under Voluntary is not a number.
std::string NotANumberText(const std::string& Member, const TGridColumn& Column, const std::string& Text);
// What a cell shows for its text in the column's look (an amount that is no
// number: trimmed, after a beep), and whether it is drawn from the right.
std::string ShownText(const TGridColumn& Column, const std::string& Text);
bool DrawnFromRight(TCellLook Look);
// Fills the cell's rectangle with the canvas's brush and draws the text in the
// column's look, clipped to the cell, 2 pixels in from its top and its left (or
// right) edge. An amount that is no number is drawn trimmed, after a beep; one
// too wide for the cell is drawn whole in a smaller face (TCanvas::TextRect).
void DrawCellText(TCanvas& Canvas, const TRect& Rect, const TGridColumn& Column, const std::string& Text);

// The column widths are fixed in pixels; the grid's face is fitted to them
// instead: the design face (11 pixels, semi-condensed), narrowed and then made
// smaller as far as needed for every column to show its title and its widest
// text whole, with the 2 pixels either side that the drawing keeps free.
// Never below MinTextPixels. Run again after the widths change.
void FitGridFont(TStringGrid& Grid, TGridColumns Columns);

// "Male" for a code starting with 1, "Female" for 2, "Unknown" otherwise.
std::string GenderWordOfCode(const std::string& Code);
// The gender code a typed text stands for, by its first letter once trimmed:
// F "2", M "1", anything else (and nothing) "3".
std::string GenderCodeOfText(const std::string& Text);

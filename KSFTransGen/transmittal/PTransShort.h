#pragma once
// The transmittal file of the pension authority: the three record layouts (header
// 52, member 326, trailer 98 characters, each line ended by CR LF), loading with
// defaults for blank codes, saving with recomputed header and totals, validation,
// sorting, merging of amendments and the SSN uniqueness check.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "PRecords.h"
#include "PTrans.h"
#include "Utils.h"

class TFileNest;

// Why a file could not be read whole. Every reader of a transmittal file (opening,
// reloading, merging the month, the SSN check) says it this one way, and
// ReadProblemText turns it into the words every box uses.
struct TReadProblem {
  enum class TKind {
    None,               // read whole
    CutShort,           // reading stopped before the end: the members before it were read
    AmountBeyond,       // a member's amount beyond what is stored (21,474,836.47)
    TotalBeyond,        // its members' totals, or a total its trailer holds, beyond that
    CountBeyond,        // its trailer's record count beyond what is stored
    MergedTotalBeyond,  // the month's files, each read whole, add up beyond what is stored
    Missing,            // the file is listed but not on disk
    Unreadable,         // the file system refused the read; Detail holds its error
  };
  TKind Kind = TKind::None;
  // The file (a full path); for MergedTotalBeyond the month's report, amendment 0.
  std::string Path;
  std::string Detail;
  explicit operator bool() const { return Kind != TKind::None; }
};

// One sentence naming the file (by its name, without the folder) and why it was
// not read whole, for instance "The file 20041010.123 could not be read
// completely." Callers add what follows from it. Empty for TKind::None.
std::string ReadProblemText(const TReadProblem& Problem);

// What a trailer sums up: the member count, the four contribution sums over every
// member (shown or filtered out) in list order, each a running double, and their
// grand total added in extended precision.
struct TTrailerTotals {
  int32_t Count = 0;
  double Regular = 0;
  double Health = 0;
  double Voluntary = 0;
  double Contract = 0;
  long double Grand = 0;
};

// The state a member gets when its state is blank on loading, and that the member
// detail form preselects for a new member.
inline const std::string DefaultState = "NY";

class TTransShort : public TTrans {
 public:
  // Index in the detail field list of the sort column; -1 until one is chosen.
  int32_t SortField = -1;
  // 'A' ascending or 'D' descending.
  char SortOrder = 'A';

  TTransShort();

  // Reads the file, then gives members with a blank name prefix, name suffix,
  // address effective date, gender, marital status or state a default; when any
  // default was written the file is rewritten at once (forced). The result is the
  // reader's. Raises EDoesNotFit, naming the value and the field, when what was
  // read holds a value that cannot be kept (a member's number beyond its field's
  // range, which would read as 0; totals of the members too large for the
  // trailer; or, when the trailer was read, a record count or total it holds
  // beyond its field's range), before any default is filled: the file is then not
  // rewritten, and the records read stay in memory.
  bool LoadFromFile() override;
  // Reads FileName as LoadFromFile does, and says what kept it from being read
  // whole instead of raising it: a value beyond what is stored comes before a
  // cut (a file both cut short and beyond range is beyond range): AmountBeyond
  // for a member's number, TotalBeyond for the members' totals or a total the
  // trailer holds, CountBeyond for the trailer's record count, each with the
  // error's text ("Value ... does not fit field ...") in Detail; CutShort when
  // the read stopped short. Path is FileName. What was read stays in memory in
  // every case; only file-system errors (EInOutError) and EAbort are raised.
  TReadProblem LoadChecked();
  // Sets the header from the file's name and today, recomputes the trailer's count
  // and totals, validates unless Force (showing the messages and writing nothing on
  // failure) and writes the file. False for a name shorter than 12 characters.
  bool SaveToFile(bool Force) override;
  // The trailer's figures for the members as they stand.
  TTrailerTotals MemberTotals() const;
  // Writes Totals into the trailer: the count, the four sums and the grand total.
  // The save and the totals shown beside the grids both go through here, so the
  // file and the screen never disagree. All or nothing: raises EDoesNotFit, naming
  // the field, when a figure does not fit its trailer field, with the trailer
  // unchanged.
  void SetTrailerTotals(const TTrailerTotals& Totals);
  void SetRecordType(TRecord* Record, const std::string& Tag) override;
  void InitHeader() override;
  void InitTrailer() override;
  void InitDetail(TRecord* Record) override;

  // Clears ErrorList, checks header, members (unless HeaderOnly) and trailer, and
  // is True when no line was added.
  bool Validate();
  // These only append to ErrorList; each is True when it added no line.
  bool ValidateHeader();
  bool ValidateDetail(TRecord* Record);
  bool ValidateTrailer();

  // Sorts the members by the named detail field: a new column sorts ascending, the
  // same column again toggles the direction. Nothing happens without members.
  void SortByField(const std::string& FieldName);
  // Sorts the members by the current sort column (MemberSSN when none was chosen).
  void Resort();
  // Loads the newest revision of the amendment; False when it has no revision or
  // its file does not exist (FileName then names the missing file). Whole, when
  // given, tells whether the file was read completely.
  bool LoadLatestRevision(TFileNest* Nest, bool* Whole = nullptr);
  // Takes amendment 0's newest revision, then appends the members of each later
  // amendment's newest revision, from its last member to its first. Merged records
  // change owner; with CheckSSN a duplicate SSN is reported, and merged anyway
  // (only once the month is known to be made: a merge that fails shows no box).
  // Problem, when given, is None after a merge.
  // The month is made only of files read whole: False, with this transmittal
  // unchanged and Problem (when given) saying which file and why, when one of
  // the files could be read only in part or holds a value beyond what is stored,
  // when the files together add up to totals beyond it, or when amendment 0's
  // newest file is missing (then nothing can be merged). A missing later
  // amendment is skipped. Only file-system errors and EAbort are raised, also
  // with this transmittal unchanged.
  bool MergeAmendments(const TFreeList<TFileNest>& Nests, bool CheckSSN,
                       TReadProblem* Problem = nullptr);
  // Whether SSN occurs more than AllowedCount times in the saved files of the
  // period at the cursor of Files; reports the first excess occurrence in a box.
  // Unread, when given, is emptied and receives the month's files that could
  // not be read whole, once each (CountSSNInPeriod); the members read from them
  // are counted all the same. The
  // caller tells of them: this check speaks only of a duplicate.
  bool IsSSNUnique(const std::string& SSN, int32_t AllowedCount,
                   std::vector<TReadProblem>* Unread = nullptr);
};

// The transmittal being edited; owned by the preparation form, null until then.
extern TTransShort* Trans;
// While set, validation checks the header alone (around forced saves of files
// without members).
extern bool HeaderOnly;
// The program's version text, copied into every trailer on save.
extern std::string VersionText;

// The unit's start-up (HeaderOnly off, VersionText empty) and shut-down
// (VersionText empty) steps.
void PTransShortInitialization();
void PTransShortFinalization();

// The path of the newest revision of an amendment; empty when it has none.
std::string LatestRevisionPath(const TFileNest* Nest);

// How often SSN is the MemberSSN of the members saved in the amendments' newest
// revisions: every member that could be read from every one of them on disk (of
// a file cut short the members before the cut, of one holding a value beyond
// what is stored every member read); a listed file not on disk holds none and
// is no problem. What a file holds is kept while the file stays as it was read,
// so checking SSN after SSN reads each file of the month once; only the given
// month's files are kept. Unread, when given, is emptied and receives each file
// that could not be read whole, once, with why, also when it was kept from an
// earlier check; a file the file system refuses to read is one of them
// (Unreadable, its error in Detail) rather than an error raised.
int32_t CountSSNInPeriod(const TFreeList<TFileNest>& Nests, const std::string& SSN,
                         std::vector<TReadProblem>* Unread = nullptr);
// Tells the kept SSNs that a file was just written with these members.
void NoteSavedSSNs(const std::string& Path, const TFreeList<TRecord>& Details);

// Sort comparison of two member records by the sort column and direction of Trans.
int CompareRecords(const TRecord* A, const TRecord* B);
// Shows "SSN ... is not unique!" for the first member of List with that SSN; changes nothing.
void CheckSSNUnique(const std::string& SSN, const TFreeList<TRecord>& List);

// The check routines of validation. Each adds Message to ErrorList when its check
// fails and returns whether it passed. A field that cannot be read counts as failed.
//
// Passes when the field's integer value is one of Codes.
bool CheckCode(const TRecord* Record, const std::string& FieldName,
               std::initializer_list<int32_t> Codes, const std::string& Message);
// Passes when Low < the field's integer value < High.
bool CheckIntRange(const TRecord* Record, const std::string& FieldName, int32_t Low,
                   int32_t High, const std::string& Message);
// Reads the field's amount into Amount (0 when it cannot be read); passes when
// MustBePositive is false or the amount is above 0.
bool CheckAmount(const TRecord* Record, const std::string& FieldName, bool MustBePositive,
                 const std::string& Message, double& Amount);
// True when every character is a digit and, for Length > 0, there are exactly Length.
bool IsDigits(const std::string& Text, int32_t Length);

#pragma once
// Transmittal file names (YYYYMMAR.EID) and the employer's file tree: the
// data folder's files of one employer as reporting periods holding amendments
// holding revisions, each level sorted by its key, with a cursor that walks
// every file from the oldest to the newest. The tree deals in names only: it
// never opens, reads or writes a file.

#include <cstdint>
#include <string>

#include "Utils.h"

// The file name of a report, for example 20040502.123; empty when the
// amendment or the revision is 10 or more. Narrow numbers and a short ID are
// padded on the left with blanks; year and month are not range-checked.
std::string MakeFileName(uint16_t Year, uint16_t Month, uint16_t Amendment, uint16_t Revision,
                         const std::string& EmployerID);

// Takes a name apart: characters 1-4 year, 5-6 month, 7 amendment, 8
// revision, 10-12 employer ID. False when one of the four numbers does not
// read as a decimal integer; the outputs converted before the failure keep
// their new values. Nothing else (length, dot, ranges) is checked.
bool ParseFileName(const std::string& Name, uint16_t& Year, uint16_t& Month, uint16_t& Amendment,
                   uint16_t& Revision, std::string& EmployerID);

// The folder holding every employer's files: AppDir + "Data/".
std::string DataDir();

// One transmittal file.
class TFileData {
 public:
  uint16_t Year;
  uint16_t Month;
  uint16_t Amendment;
  uint16_t Revision;
  std::string EmployerID;  // at most 3 characters

  TFileData(uint16_t Year, uint16_t Month, uint16_t Amendment, uint16_t Revision,
            const std::string& EmployerID);

  // Year * 1200 + Month * 100 + Amendment * 10 + Revision.
  int32_t Key() const;
  // MakeFileName of the five fields.
  std::string FileName() const;
};

// One amendment of one reporting period: its revisions, ascending.
class TFileNest {
 public:
  uint16_t Year;
  uint16_t Month;
  uint16_t Amendment;
  std::string EmployerID;  // at most 3 characters
  int32_t Index = 0;       // cursor: position of the current revision
  TFreeList<TFileData> Revisions;

  TFileNest(uint16_t Year, uint16_t Month, uint16_t Amendment, const std::string& EmployerID);

  // Year * 120 + Month * 10 + Amendment.
  int32_t Key() const;

  // The cursor over the revisions; each returns the entry (owned by the tree) or nullptr.
  TFileData* First();
  TFileData* Next();
  TFileData* Prior();
  TFileData* Last();

  // The number the next revision of this amendment gets: one past the highest
  // listed (0 for none), moved on past any name that exists in the data folder,
  // so a gap left by a removed file never hands out the name of an existing one.
  uint16_t NextRevisionNumber() const;
  // Appends a revision numbered NextRevisionNumber() and returns it; no cursor moves.
  TFileData* NewRevision();
  // Inserts the named file in key order; a name already listed is dropped
  // silently, one that does not parse brings the "Invalid file name: " box.
  void AddFile(const std::string& Name);
};

// One reporting period (year and month): its amendments, ascending.
class TFilePeriod {
 public:
  uint16_t Year;
  uint16_t Month;
  std::string EmployerID;  // at most 3 characters
  int32_t Index = 0;       // cursor: position of the current amendment
  TFreeList<TFileNest> Amendments;

  TFilePeriod(uint16_t Year, uint16_t Month, const std::string& EmployerID);

  // Year * 12 + Month.
  int32_t Key() const;

  // The cursor over every file of the period.
  TFileData* First();
  TFileData* Next();
  TFileData* Prior();
  TFileData* Last();

  // The number the next amendment of this period gets: one past the highest
  // listed (0 for none), moved on past any number whose revision 0 exists in the
  // data folder.
  uint16_t NextAmendmentNumber() const;
  // Appends a new amendment numbered NextAmendmentNumber() with its revision 0
  // and returns that revision; nothing is written and no cursor moves.
  TFileData* NewAmendment();
  // Inserts the named file in key order (see TFileNest::AddFile).
  void AddFile(const std::string& Name);
};

// Every file of one employer in the data folder.
class TFileCollection {
 public:
  std::string EmployerID;  // at most 3 characters
  int32_t Index = 0;       // cursor: position of the current period
  TFreeList<TFilePeriod> Periods;

  // Lists the data folder once: every entry whose name ends in "." + the ID
  // (every entry for an empty ID) is offered to AddFile. A missing or unreadable
  // folder gives an empty tree without a message. With an empty ID the tree
  // takes the oldest period's ID as its own.
  explicit TFileCollection(const std::string& EmployerID);

  // The cursor over every file of the employer, oldest to newest.
  TFileData* First();
  TFileData* Next();
  TFileData* Prior();
  TFileData* Last();

  // The entry whose name (MakeFileName) equals Name exactly, or nullptr. Walks
  // from the first file and stops at the first name greater than Name, leaving
  // the cursor there (or on the newest file when every name is smaller).
  TFileData* Find(const std::string& Name);

  // Inserts the named file in key order. A name that does not parse brings the
  // "Skipping file " box, unless it is empty or begins with "."; a name already
  // listed changes nothing.
  void AddFile(const std::string& Name);
};

// The tree of the employer being edited; created and freed by the preparation form.
extern TFileCollection* Files;

// Sets AppDir to the folder of the running program (Env().ProgramPath()), with
// a trailing "/"; empty when the program path cannot be read.
void PFilesInitialization();

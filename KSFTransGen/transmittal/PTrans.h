#pragma once
// A transmittal in memory: the header record, the member (detail) records and the
// trailer record of one transmittal file, the field lists of the three record
// types, the file's path and the current member. The generic reading and writing
// of fixed-width records lives here; the concrete layouts are TTransShort's.

#include <cstdint>
#include <memory>
#include <string>

#include "PFields.h"
#include "PRecords.h"
#include "Utils.h"

class TTrans {
 public:
  // Length of the record-type tag every line begins with.
  int32_t TagLength = 0;
  // 1-based column at which the tag is compared (the reader needs it to be 1).
  int32_t TagStart = 0;
  int32_t HeaderLength = 0;
  int32_t DetailLength = 0;
  int32_t TrailerLength = 0;
  // The field lists of the three record types: header [0], trailer [1], detail [2].
  // They own their descriptors; every detail record points at FieldLists[2].
  TFieldList FieldLists[3];
  // Full path of the transmittal file; set by the caller before loading or saving.
  std::string FileName;
  // Created by the descendant's constructor and reused for every file loaded.
  std::unique_ptr<TRecord> Header;
  std::unique_ptr<TRecord> Trailer;
  // The member records, in file order after loading and display order afterwards.
  TFreeList<TRecord> Details;
  // Index in Details of the current member record; set and read by the editor.
  int32_t CurIndex = 0;

  TTrans();
  TTrans(const TTrans&) = delete;
  TTrans& operator=(const TTrans&) = delete;
  virtual ~TTrans();

  // Reads FileName by position: the tag, the rest of the record by its known
  // length, then two bytes skipped (the line end, never tested). A line end (CR
  // or LF) inside a record is where its line stopped short and counts as the end
  // of the file: a member holding one is not kept, a header holding one keeps
  // the bytes before it, and the trailer, the last line, is taken up to it. False
  // for a missing size or name, a short read or an unexpected tag, leaving in
  // memory what was read whole up to there. File-system errors raise EInOutError.
  virtual bool LoadFromFile();
  // Writes header, members and trailer as they stand, each line ended by CR LF,
  // whole or not at all (SaveAtomically): a save that fails or is interrupted
  // leaves the previous file untouched and no other file behind. False for an
  // empty name or a short write; other file-system errors raise EInOutError.
  // Force has no effect at this level.
  virtual bool SaveToFile(bool Force);
  // Writes Tag into the record's RecordType field.
  virtual void SetRecordType(TRecord* Record, const std::string& Tag) = 0;
  virtual void InitHeader() = 0;
  virtual void InitTrailer() = 0;
  // Tags a new member record.
  virtual void InitDetail(TRecord* Record) = 0;

  // InitHeader, then InitTrailer.
  void InitRecords();
  // The number of member records whose Visible flag is set.
  int32_t VisibleCount() const;
};

// Append a new field descriptor of the given kind to List.
void AddStringField(const std::string& Name, TFieldList* List, int32_t Start, int32_t Length);
void AddDateField(const std::string& Name, TFieldList* List, int32_t Start, int32_t Length);
void AddDoubleField(const std::string& Name, TFieldList* List, int32_t Scale, int32_t Start,
                    int32_t Length);

// True when Buffer from the 1-based column Start on equals Tag byte for byte over
// the whole length of Tag (an empty Tag matches). The caller guarantees that Buffer
// holds at least Start - 1 + Tag.size() characters.
bool MatchTag(const std::string& Tag, int32_t Start, const char* Buffer);

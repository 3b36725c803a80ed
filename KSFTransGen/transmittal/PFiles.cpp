#include "PFiles.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "TextParse.h"

TFileCollection* Files = nullptr;

namespace {

// The ID as the tree holds it: at most three characters.
std::string CutID(const std::string& EmployerID) { return EmployerID.substr(0, 3); }

// Count characters from the 1-based position Start; fewer (or none) when the text is shorter.
std::string Copy(const std::string& Text, size_t Start, size_t Count) {
  if (Start < 1 || Start > Text.size()) return std::string();
  return Text.substr(Start - 1, Count);
}

// True when anything, a file, a folder or a dangling link, has this name in the data folder.
bool ExistsInDataDir(const std::string& Name) {
  if (Name.empty()) return false;
  std::error_code Ec;
  std::filesystem::file_status Status = std::filesystem::symlink_status(DataDir() + Name, Ec);
  return !Ec && Status.type() != std::filesystem::file_type::not_found;
}

void InvalidFileName(const std::string& Name) {
  Refuse("Invalid file name: " + Name);
}

// The container cursor shared by the period (over its amendments) and the
// collection (over its periods): Next and Prior first ask the current child,
// and only when it has no further file move to the neighbouring child.
template <class TChild>
TChild* ChildAt(const TFreeList<TChild>& List, int32_t Index) {
  if (Index < 0 || Index >= List.Count()) return nullptr;
  return List[Index];
}

template <class TChild>
TFileData* CursorFirst(TFreeList<TChild>& List, int32_t& Index) {
  Index = 0;
  TChild* Child = ChildAt(List, Index);
  return Child ? Child->First() : nullptr;
}

template <class TChild>
TFileData* CursorLast(TFreeList<TChild>& List, int32_t& Index) {
  if (List.Count() == 0) return nullptr;
  Index = List.Count() - 1;
  return List[Index]->Last();
}

template <class TChild>
TFileData* CursorNext(TFreeList<TChild>& List, int32_t& Index) {
  TChild* Child = ChildAt(List, Index);
  if (Child == nullptr) return nullptr;
  if (TFileData* Data = Child->Next()) return Data;
  if (Index >= List.Count() - 1) return nullptr;
  ++Index;
  return List[Index]->First();
}

template <class TChild>
TFileData* CursorPrior(TFreeList<TChild>& List, int32_t& Index) {
  TChild* Child = ChildAt(List, Index);
  if (Child == nullptr) return nullptr;
  if (TFileData* Data = Child->Prior()) return Data;
  if (Index <= 0) return nullptr;
  --Index;
  return List[Index]->Last();
}

// The insertion shared by the three levels: the position of the first entry
// whose key is not below Key, and whether that entry's key equals it.
template <class TItem>
int32_t KeyPosition(const TFreeList<TItem>& List, int32_t Key, bool& Equal) {
  for (int32_t i = 0; i < List.Count(); ++i) {
    int32_t ItemKey = List[i]->Key();
    if (ItemKey >= Key) {
      Equal = ItemKey == Key;
      return i;
    }
  }
  Equal = false;
  return List.Count();
}

}  // namespace

std::string MakeFileName(uint16_t Year, uint16_t Month, uint16_t Amendment, uint16_t Revision,
                         const std::string& EmployerID) {
  if (Amendment >= 10 || Revision >= 10) return std::string();
  const std::string ID = CutID(EmployerID);
  char Buffer[64];
  if (Month >= 1 && Month <= 9)
    std::snprintf(Buffer, sizeof Buffer, "%4d0%1d%1d%1d.%3s", int(Year), int(Month),
                  int(Amendment), int(Revision), ID.c_str());
  else
    std::snprintf(Buffer, sizeof Buffer, "%4d%2d%1d%1d.%3s", int(Year), int(Month),
                  int(Amendment), int(Revision), ID.c_str());
  return Buffer;
}

bool ParseFileName(const std::string& Name, uint16_t& Year, uint16_t& Month, uint16_t& Amendment,
                   uint16_t& Revision, std::string& EmployerID) {
  int32_t Value = 0;
  if (!TryStrToDecimalInt(Copy(Name, 1, 4), Value)) return false;
  Year = static_cast<uint16_t>(Value);
  if (!TryStrToDecimalInt(Copy(Name, 5, 2), Value)) return false;
  Month = static_cast<uint16_t>(Value);
  if (!TryStrToDecimalInt(Copy(Name, 7, 1), Value)) return false;
  Amendment = static_cast<uint16_t>(Value);
  if (!TryStrToDecimalInt(Copy(Name, 8, 1), Value)) return false;
  Revision = static_cast<uint16_t>(Value);
  EmployerID = Copy(Name, 10, 3);
  return true;
}

std::string DataDir() { return AppDir + "Data/"; }

// ---------------------------------------------------------------- TFileData

TFileData::TFileData(uint16_t Year, uint16_t Month, uint16_t Amendment, uint16_t Revision,
                     const std::string& EmployerID)
    : Year(Year), Month(Month), Amendment(Amendment), Revision(Revision),
      EmployerID(CutID(EmployerID)) {}

int32_t TFileData::Key() const {
  return int32_t(Year) * 1200 + int32_t(Month) * 100 + int32_t(Amendment) * 10 + int32_t(Revision);
}

std::string TFileData::FileName() const {
  return MakeFileName(Year, Month, Amendment, Revision, EmployerID);
}

// ---------------------------------------------------------------- TFileNest

TFileNest::TFileNest(uint16_t Year, uint16_t Month, uint16_t Amendment,
                     const std::string& EmployerID)
    : Year(Year), Month(Month), Amendment(Amendment), EmployerID(CutID(EmployerID)) {}

int32_t TFileNest::Key() const {
  return int32_t(Year) * 120 + int32_t(Month) * 10 + int32_t(Amendment);
}

TFileData* TFileNest::First() {
  Index = 0;
  return Revisions.Count() > 0 ? Revisions[0] : nullptr;
}

TFileData* TFileNest::Last() {
  if (Revisions.Count() == 0) return nullptr;
  Index = Revisions.Count() - 1;
  return Revisions[Index];
}

TFileData* TFileNest::Next() {
  if (Index < 0 || Index >= Revisions.Count() - 1) return nullptr;
  ++Index;
  return Revisions[Index];
}

TFileData* TFileNest::Prior() {
  if (Index <= 0 || Index > Revisions.Count()) return nullptr;
  --Index;
  return Revisions[Index];
}

uint16_t TFileNest::NextRevisionNumber() const {
  // Numbering by count would hand out a listed number when one below it is
  // missing (a file removed by hand), and the new revision would overwrite it.
  uint16_t Number = 0;
  for (const TFileData* Data : Revisions)
    if (Data->Revision >= Number) Number = static_cast<uint16_t>(Data->Revision + 1);
  while (Number < 10 && ExistsInDataDir(MakeFileName(Year, Month, Amendment, Number, EmployerID)))
    ++Number;
  return Number;
}

TFileData* TFileNest::NewRevision() {
  auto Data = std::make_unique<TFileData>(Year, Month, Amendment, NextRevisionNumber(), EmployerID);
  TFileData* Result = Data.get();
  Revisions.Add(std::move(Data));
  return Result;
}

void TFileNest::AddFile(const std::string& Name) {
  uint16_t FYear = 0, FMonth = 0, FAmendment = 0, FRevision = 0;
  std::string FID;
  if (!ParseFileName(Name, FYear, FMonth, FAmendment, FRevision, FID)) {
    InvalidFileName(Name);
    return;
  }
  auto Data = std::make_unique<TFileData>(FYear, FMonth, FAmendment, FRevision, FID);
  bool Equal = false;
  int32_t Position = KeyPosition(Revisions, Data->Key(), Equal);
  if (Equal) return;  // the tree lists this file already
  Revisions.Insert(Position, std::move(Data));
}

// ---------------------------------------------------------------- TFilePeriod

TFilePeriod::TFilePeriod(uint16_t Year, uint16_t Month, const std::string& EmployerID)
    : Year(Year), Month(Month), EmployerID(CutID(EmployerID)) {}

int32_t TFilePeriod::Key() const { return int32_t(Year) * 12 + int32_t(Month); }

TFileData* TFilePeriod::First() { return CursorFirst(Amendments, Index); }
TFileData* TFilePeriod::Last() { return CursorLast(Amendments, Index); }
TFileData* TFilePeriod::Next() { return CursorNext(Amendments, Index); }
TFileData* TFilePeriod::Prior() { return CursorPrior(Amendments, Index); }

uint16_t TFilePeriod::NextAmendmentNumber() const {
  // As for revisions: one past the highest listed, never a listed or existing one.
  uint16_t Number = 0;
  for (const TFileNest* Nest : Amendments)
    if (Nest->Amendment >= Number) Number = static_cast<uint16_t>(Nest->Amendment + 1);
  while (Number < 10 && ExistsInDataDir(MakeFileName(Year, Month, Number, 0, EmployerID)))
    ++Number;
  return Number;
}

TFileData* TFilePeriod::NewAmendment() {
  auto Nest = std::make_unique<TFileNest>(Year, Month, NextAmendmentNumber(), EmployerID);
  TFileData* Result = Nest->NewRevision();
  Amendments.Add(std::move(Nest));
  return Result;
}

void TFilePeriod::AddFile(const std::string& Name) {
  uint16_t FYear = 0, FMonth = 0, FAmendment = 0, FRevision = 0;
  std::string FID;
  if (!ParseFileName(Name, FYear, FMonth, FAmendment, FRevision, FID)) {
    InvalidFileName(Name);
    return;
  }
  const int32_t Key = int32_t(FYear) * 120 + int32_t(FMonth) * 10 + int32_t(FAmendment);
  bool Equal = false;
  int32_t Position = KeyPosition(Amendments, Key, Equal);
  if (Equal) {
    Amendments[Position]->AddFile(Name);
    return;
  }
  // Filled before it joins the list, so no amendment is ever left empty.
  auto Nest = std::make_unique<TFileNest>(FYear, FMonth, FAmendment, FID);
  Nest->AddFile(Name);
  Amendments.Insert(Position, std::move(Nest));
}

// ---------------------------------------------------------------- TFileCollection

TFileCollection::TFileCollection(const std::string& EmployerID) : EmployerID(CutID(EmployerID)) {
  const std::string Suffix = "." + this->EmployerID;
  std::vector<std::string> Names;
  {
    // Error-code overloads throughout: a missing or unreadable folder, or one
    // that fails part way, gives the entries read so far and no exception.
    std::error_code Ec;
    std::filesystem::directory_iterator It(DataDir(), Ec), End;
    while (!Ec && It != End) {
      std::string Name = It->path().filename().string();
      if (this->EmployerID.empty() ||
          (Name.size() >= Suffix.size() &&
           Name.compare(Name.size() - Suffix.size(), Suffix.size(), Suffix) == 0))
        Names.push_back(std::move(Name));
      It.increment(Ec);
    }
  }
  // The folder's own order is arbitrary here; a fixed order keeps the boxes and
  // the choice between two names of the same key the same on every scan.
  std::sort(Names.begin(), Names.end());
  for (const std::string& Name : Names) AddFile(Name);
  if (this->EmployerID.empty() && Periods.Count() > 0) this->EmployerID = Periods[0]->EmployerID;
}

TFileData* TFileCollection::First() { return CursorFirst(Periods, Index); }
TFileData* TFileCollection::Last() { return CursorLast(Periods, Index); }
TFileData* TFileCollection::Next() { return CursorNext(Periods, Index); }
TFileData* TFileCollection::Prior() { return CursorPrior(Periods, Index); }

TFileData* TFileCollection::Find(const std::string& Name) {
  TFileData* Data = First();
  while (Data != nullptr) {
    const int Order = Name.compare(Data->FileName());
    if (Order == 0) return Data;
    if (Order < 0) return nullptr;  // passed the place where it would be
    Data = Next();
  }
  return nullptr;
}

void TFileCollection::AddFile(const std::string& Name) {
  uint16_t FYear = 0, FMonth = 0, FAmendment = 0, FRevision = 0;
  std::string FID;
  if (!ParseFileName(Name, FYear, FMonth, FAmendment, FRevision, FID)) {
    if (!Name.empty() && Name[0] != '.') {
      Refuse("Skipping file \"" + Name + "\"");
    }
    return;
  }
  const int32_t Key = int32_t(FYear) * 12 + int32_t(FMonth);
  bool Equal = false;
  int32_t Position = KeyPosition(Periods, Key, Equal);
  if (Equal) {
    Periods[Position]->AddFile(Name);
    return;
  }
  auto Period = std::make_unique<TFilePeriod>(FYear, FMonth, FID);
  Period->AddFile(Name);
  Periods.Insert(Position, std::move(Period));
}

// ---------------------------------------------------------------- start-up

void PFilesInitialization() {
  const std::string Path = Env().ProgramPath();
  const size_t Slash = Path.rfind('/');
  AppDir = Slash == std::string::npos ? std::string() : Path.substr(0, Slash + 1);
}

// Merging the amendments of a reporting month into one member list (the start
// of the next month's report), and the month's SSN uniqueness check.

#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <unordered_set>
#include <vector>

#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"

namespace {

bool FileExists(const std::string& Path) {
  struct stat Info {};
  return ::stat(Path.c_str(), &Info) == 0 && !S_ISDIR(Info.st_mode);
}

// The duplicate-SSN notice of merging and of the uniqueness check.
void ShowSSNNotUnique(const std::string& SSN) {
  Refuse("SSN " + FormatSSN(SSN) + " is not unique!");
}

}  // namespace

std::string LatestRevisionPath(const TFileNest* Nest) {
  if (Nest == nullptr || Nest->Revisions.Count() == 0) return std::string();
  const TFileData* Newest = Nest->Revisions[Nest->Revisions.Count() - 1];
  return DataDir() + MakeFileName(Newest->Year, Newest->Month, Newest->Amendment, Newest->Revision,
                                  Newest->EmployerID);
}

bool TTransShort::LoadLatestRevision(TFileNest* Nest, bool* Whole) {
  if (Whole != nullptr) *Whole = true;
  if (Nest == nullptr || Nest->Revisions.Count() == 0) return false;
  FileName = LatestRevisionPath(Nest);
  if (!FileExists(FileName)) return false;
  // A file that reads only in part still contributes what was read.
  const bool Read = LoadFromFile();
  if (Whole != nullptr) *Whole = Read;
  return true;
}

bool TTransShort::MergeAmendments(const TFreeList<TFileNest>& Nests, bool CheckSSN,
                                  TReadProblem* Problem) {
  using K = TReadProblem::TKind;
  auto Fail = [Problem](TReadProblem Why) {
    if (Problem != nullptr) *Problem = std::move(Why);
    return false;
  };
  if (Problem != nullptr) *Problem = TReadProblem();
  if (Nests.Count() == 0) return true;

  // Every file is read before anything is merged, and the month is built aside:
  // it is made only of files read whole, and this transmittal stays as it was
  // when one is not (or an error passes on).
  std::vector<std::unique_ptr<TTransShort>> Parts;
  for (int32_t i = 0; i < Nests.Count(); ++i) {
    const std::string Path = LatestRevisionPath(Nests[i]);
    if (Path.empty() || !FileExists(Path)) {
      // Without the month's report there is nothing to build on; a later
      // amendment that is gone holds no member.
      if (i == 0) return Fail({K::Missing, Path, ""});
      continue;
    }
    auto Part = std::make_unique<TTransShort>();
    Part->FileName = Path;
    TReadProblem Read = Part->LoadChecked();
    if (Read) return Fail(std::move(Read));
    Parts.push_back(std::move(Part));
  }

  TTransShort& Report = *Parts[0];
  const int32_t ReportMembers = Report.Details.Count();
  for (size_t i = 1; i < Parts.size(); ++i) {
    TFreeList<TRecord>& From = Parts[i]->Details;
    // Last to first; each record changes owner, neither copied nor destroyed.
    while (From.Count() > 0) {
      std::unique_ptr<TRecord> Record(From.Extract(From.Count() - 1));
      Record->Fields = &Report.FieldLists[2];
      Report.Details.Add(std::move(Record));
    }
  }

  // Files that each fit may still add up to totals that do not. This is known
  // before any duplicate is told, so a merge that fails shows no box. The
  // trailer stays amendment 0's until the next save or refresh.
  const std::string ReportTrailer(Report.Trailer->Buffer, static_cast<size_t>(TrailerLength));
  try {
    Report.SetTrailerTotals(Report.MemberTotals());
  } catch (const EDoesNotFit& Error) {
    return Fail({K::MergedTotalBeyond, Report.FileName, Error.what()});
  }

  // Each member taken from a later amendment is told when an SSN before it in
  // the merged list has it already; it is merged all the same.
  if (CheckSSN) {
    std::unordered_set<std::string> Before;
    for (int32_t i = 0; i < Report.Details.Count(); ++i) {
      std::string SSN = Report.Details[i]->GetAsString(fnMemberSSN);
      if (i >= ReportMembers && Before.count(SSN) != 0) ShowSSNNotUnique(SSN);
      Before.insert(std::move(SSN));
    }
  }

  FileName = Report.FileName;
  std::memcpy(Header->Buffer, Report.Header->Buffer, static_cast<size_t>(HeaderLength));
  std::memcpy(Trailer->Buffer, ReportTrailer.data(), ReportTrailer.size());
  ClearFreeList(&Details);
  Details.List().swap(Report.Details.List());
  for (TRecord* Record : Details) Record->Fields = &FieldLists[2];
  return true;
}

void CheckSSNUnique(const std::string& SSN, const TFreeList<TRecord>& List) {
  for (const TRecord* Record : List) {
    if (Record->GetAsString(fnMemberSSN) == SSN) {
      ShowSSNNotUnique(SSN);
      return;
    }
  }
}

bool TTransShort::IsSSNUnique(const std::string& SSN, int32_t AllowedCount,
                              std::vector<TReadProblem>* Unread) {
  if (Unread != nullptr) Unread->clear();
  if (Files == nullptr || Files->Periods.Count() == 0) return true;
  if (Files->Index < 0 || Files->Index >= Files->Periods.Count()) return true;
  TFilePeriod* Period = Files->Periods[Files->Index];
  if (Period->Amendments.Count() == 0) return true;
  if (CountSSNInPeriod(Period->Amendments, SSN, Unread) <= AllowedCount) return true;
  ShowSSNNotUnique(SSN);
  return false;
}

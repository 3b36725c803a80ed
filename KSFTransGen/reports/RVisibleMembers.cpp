#include "RVisibleMembers.h"

#include "PTransShort.h"

bool TVisibleMembersRun::Start() {
  VisibleRecords = Trans != nullptr ? Trans->VisibleCount() : 0;
  PrintedRecords = 0;
  NextIndex = 0;
  return VisibleRecords > 0;
}

const TRecord* TVisibleMembersRun::Next() {
  const int32_t Count = Trans != nullptr ? Trans->Details.Count() : 0;
  if (Count == 0 || PrintedRecords == VisibleRecords) return nullptr;
  while (NextIndex < Count && !Trans->Details[NextIndex]->Visible) ++NextIndex;
  // Members hidden since the run began end the list instead of running past it.
  if (NextIndex >= Count) return nullptr;
  ++PrintedRecords;
  return Trans->Details[NextIndex++];
}

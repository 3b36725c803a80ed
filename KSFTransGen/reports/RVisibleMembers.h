#pragma once
// A report run over the visible members of the open transmittal, as both
// reports walk it: the three counters each report keeps for itself and the two
// steps that move them. Every run starts again at the first visible member, so
// each preview, print or export numbers the members from 1 and its count agrees.

#include <cstdint>

class TRecord;

struct TVisibleMembersRun {
  // The visible members, fixed when the run starts.
  int32_t VisibleRecords = 0;
  // The members printed so far in the run.
  int32_t PrintedRecords = 0;
  // The index in Trans->Details of the next member to look at.
  int32_t NextIndex = 0;

  // The before-print step: counts the visible members of Trans and starts at
  // the first. False when none is visible: the run stops.
  bool Start();
  // The need-data step: the next visible member, counted, or null once every
  // visible member is printed (or when members were hidden since the start).
  const TRecord* Next();
};

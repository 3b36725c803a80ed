#include "KSFUnits.h"

#include "PCodeTable.h"
#include "PFiles.h"
#include "PTransShort.h"
#include "Utils.h"

// Start-up in dependency order: the shared routines (error list, date
// formats), then the program folder, then the code tables, then the
// transmittal unit's globals. Shut-down runs the other way round.
void InitializeTransmittalUnits() {
  UtilsInitialization();
  PFilesInitialization();
  PCodeTableInitialization();
  PTransShortInitialization();
}

void FinalizeTransmittalUnits() {
  PTransShortFinalization();
  PCodeTableFinalization();
  UtilsFinalization();
}

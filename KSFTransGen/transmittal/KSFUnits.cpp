#include "KSFUnits.h"

#include "PCodeTable.h"
#include "PFiles.h"
#include "Utils.h"

// Start-up in dependency order: the shared routines (error list, date
// formats), then the program folder, then the code tables. Shut-down runs the
// other way round.
void InitializeTransmittalUnits() {
  UtilsInitialization();
  PFilesInitialization();
  PCodeTableInitialization();
}

void FinalizeTransmittalUnits() {
  PCodeTableFinalization();
  UtilsFinalization();
}

#include "KSFUnits.h"

#include "Utils.h"

// Later units add their steps here, in their order.
void InitializeTransmittalUnits() { UtilsInitialization(); }

void FinalizeTransmittalUnits() { UtilsFinalization(); }

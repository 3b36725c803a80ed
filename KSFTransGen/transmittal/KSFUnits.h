#pragma once
// The start-up and shut-down steps of the transmittal units, in the order the
// program relies on: the error list and date formats, the program folder, the
// code tables. Called once by the program's main (and by the tests' main).

void InitializeTransmittalUnits();
void FinalizeTransmittalUnits();

// The main of every core test program: the units' start-up steps run once, as
// in the program, before any test.
#include <gtest/gtest.h>

#include "KSFUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  InitializeTransmittalUnits();
  int Result = RUN_ALL_TESTS();
  FinalizeTransmittalUnits();
  return Result;
}

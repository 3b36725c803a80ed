#include "KSFApplication.h"

#include <QApplication>

#include "KSFUnits.h"

int RunKSFTransGen(int argc, char** argv) {
  QApplication App(argc, argv);
  InitializeTransmittalUnits();
  // The employer-selection window and the message loop come with the start-up form.
  FinalizeTransmittalUnits();
  return 0;
}

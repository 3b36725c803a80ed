#pragma once
// The start-up block: initialises the units, creates the main windows and runs
// the message loop. Returns the process's exit code.
int RunKSFTransGen(int argc, char** argv);

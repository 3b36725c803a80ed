// The program: starts the editor, which owns the process.
#include "KSFApplication.h"

int main(int argc, char** argv) { return RunKSFTransGen(argc, argv); }

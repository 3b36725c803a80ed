#include "Version.h"

#ifndef KSF_VERSION_TEXT
#define KSF_VERSION_TEXT ""
#endif
#ifndef KSF_VERSION_COMMENTS
#define KSF_VERSION_COMMENTS ""
#endif

TVersionInfo ProgramVersionInfo() { return TVersionInfo{KSF_VERSION_TEXT, KSF_VERSION_COMMENTS}; }

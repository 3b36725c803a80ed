#pragma once
// The program's version information, compiled in by the build: the file version
// (KSF_VERSION_TEXT) and the comments (KSF_VERSION_COMMENTS), either may be empty.

#include <string>

struct TVersionInfo {
  std::string FileVersion;
  std::string Comments;
};

TVersionInfo ProgramVersionInfo();

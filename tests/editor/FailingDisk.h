#pragma once
// A disk that fails the program's writes, for as long as a TFailingDisk lives, in
// the two ways a real one does: a write the file system refuses outright (the
// save raises, as when nothing more fits or the folder takes no file), or a write
// that stores only its first bytes (the save comes up short). Both are the
// kernel's own answers to a file-size limit on this process, so every save path
// meets them exactly where a full disk would meet it.

#include <sys/resource.h>

#include <csignal>
#include <string>

enum class TWriteFault { Raised, Short };

inline const char* FaultName(TWriteFault Fault) {
  return Fault == TWriteFault::Raised ? "write refused" : "short write";
}

class TFailingDisk {
 public:
  explicit TFailingDisk(TWriteFault Fault) {
    getrlimit(RLIMIT_FSIZE, &FOld);
    // Past the limit a write fails with EFBIG instead of killing the process.
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit Small = FOld;
    // No byte fits: the first write fails. A hundred bytes: the first write of
    // any transmittal (154 bytes and more) stores only part of it.
    Small.rlim_cur = Fault == TWriteFault::Raised ? 0 : 100;
    setrlimit(RLIMIT_FSIZE, &Small);
  }
  ~TFailingDisk() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }
  TFailingDisk(const TFailingDisk&) = delete;
  TFailingDisk& operator=(const TFailingDisk&) = delete;

 private:
  rlimit FOld{};
  void (*FOldHandler)(int) = nullptr;
};

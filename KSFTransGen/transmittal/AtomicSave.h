#pragma once
// Writing a file whole or not at all: the one way the program writes a file
// (transmittals, the exported message list, report exports).
//
// The new content goes to an unnamed file in the target's folder, is synced to
// disk, and only then gets a hidden name (".NAME.XXXXXX") and replaces the target
// in one rename. So a failed, killed or powered-off save leaves the previous file
// whole, and an interrupted one leaves nothing behind; where the file system has
// no unnamed files, the content is written under the hidden name from the start
// instead. Each save first removes the hidden files that interrupted saves of the
// same target left behind.

#include <cstddef>
#include <functional>
#include <string>

// Where the content is written. Buffers in large blocks.
class TSaveSink {
 public:
  // Appends Count bytes. False once a write stored fewer bytes than asked (a full
  // disk); the content is then incomplete and the save ends with false.
  virtual bool Put(const char* Data, size_t Count) = 0;
  bool Put(const std::string& Text) { return Put(Text.data(), Text.size()); }

 protected:
  ~TSaveSink() = default;
};

// Writes what Produce puts into the sink to FileName, replacing the file only once
// the new content is whole on disk. Produce returns false to give up (nothing is
// written then). A link is replaced at its target, so it stays a link; an existing
// file keeps its permission bits, a new one gets 0666 less the umask.
//
// Returns false, keeping the old file and leaving no other file behind, when
// FileName is empty, Produce gives up or a write comes up short. Raises EInOutError
// ("Cannot create file" / "Cannot write file", the path in quotes and the system's
// reason), keeping the old file the same way, when the target is a folder or may
// not be written, the folder takes no new file, or a write, sync or rename fails.
// A sync failure of the folder after the rename still puts the old file back
// where the file system can swap two names in one step.
bool SaveAtomically(const std::string& FileName, const std::function<bool(TSaveSink&)>& Produce);

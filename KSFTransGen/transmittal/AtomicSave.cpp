#include "AtomicSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "Utils.h"

namespace {

[[noreturn]] void Raise(const char* What, const std::string& Path, int Error) {
  throw EInOutError(std::string(What) + " \"" + Path + "\". " + std::strerror(Error));
}

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& Path) {
  size_t Slash = Path.find_last_of('/');
  if (Slash == std::string::npos) return ".";
  if (Slash == 0) return "/";
  return Path.substr(0, Slash);
}

std::string NameOf(const std::string& Path) {
  size_t Slash = Path.find_last_of('/');
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

// The characters of the six that end a hidden name, as mkstemp chooses them.
constexpr char SuffixChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t SuffixLength = 6;

std::string HiddenPrefix(const std::string& Name) { return "." + Name + "."; }

bool IsHiddenNameOf(const std::string& Entry, const std::string& Name) {
  const std::string Prefix = HiddenPrefix(Name);
  if (Entry.size() != Prefix.size() + SuffixLength || Entry.compare(0, Prefix.size(), Prefix) != 0)
    return false;
  return std::all_of(Entry.begin() + static_cast<std::ptrdiff_t>(Prefix.size()), Entry.end(),
                     [](char C) { return std::strchr(SuffixChars, C) != nullptr && C != '\0'; });
}

std::string RandomSuffix() {
  static std::mt19937_64 Generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> Pick(0, sizeof SuffixChars - 2);
  std::string Suffix;
  for (size_t i = 0; i < SuffixLength; ++i) Suffix += SuffixChars[Pick(Generator)];
  return Suffix;
}

// Removes the hidden files that earlier saves of the target left when they were
// interrupted (a killed program, a power cut), so that they do not pile up
// unseen. Only regular files of exactly that name pattern are touched.
void RemoveLeftovers(const std::string& Folder, const std::string& Name) {
  DIR* Dir = ::opendir(Folder.c_str());
  if (Dir == nullptr) return;
  std::vector<std::string> Found;
  while (const dirent* Entry = ::readdir(Dir))
    if (IsHiddenNameOf(Entry->d_name, Name)) Found.emplace_back(Entry->d_name);
  const int DirFd = ::dirfd(Dir);
  for (const std::string& Entry : Found) {
    struct stat Info {};
    if (::fstatat(DirFd, Entry.c_str(), &Info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(Info.st_mode))
      ::unlinkat(DirFd, Entry.c_str(), 0);
  }
  ::closedir(Dir);
}

// The new file of a save. It starts unnamed where the file system allows it, so
// that nothing can be left behind while it is written; it gets its hidden name
// only when it is whole. Whatever still carries the hidden name when the object
// goes is removed.
class TNewFile {
 public:
  TNewFile(const std::string& Folder, const std::string& Name, const std::string& ShownName)
      : FFolder(Folder), FName(Name), FShownName(ShownName) {}
  TNewFile(const TNewFile&) = delete;
  TNewFile& operator=(const TNewFile&) = delete;
  ~TNewFile() {
    if (Fd >= 0) ::close(Fd);
    if (!HiddenPath.empty()) ::unlink(HiddenPath.c_str());
  }

  void Create(mode_t Mode) {
#ifdef O_TMPFILE
    // Naming an unnamed file later goes through /proc; without it, use a name from the start.
    if (::access("/proc/self/fd", X_OK) == 0) {
      Fd = ::open(FFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, Mode);
      if (Fd >= 0) return;
    }
#endif
    std::string Template = FFolder + "/" + HiddenPrefix(FName) + "XXXXXX";
    Fd = ::mkostemp(Template.data(), O_CLOEXEC);
    if (Fd < 0) Raise("Cannot create file", FShownName, errno);
    HiddenPath = Template;
  }

  // Gives an unnamed file its hidden name.
  void Name() {
    if (!HiddenPath.empty()) return;
    const std::string Self = "/proc/self/fd/" + std::to_string(Fd);
    for (int Try = 0; Try < 100; ++Try) {
      std::string Path = FFolder + "/" + HiddenPrefix(FName) + RandomSuffix();
      if (::linkat(AT_FDCWD, Self.c_str(), AT_FDCWD, Path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        HiddenPath = Path;
        return;
      }
      if (errno != EEXIST) Raise("Cannot write file", FShownName, errno);
    }
    Raise("Cannot write file", FShownName, EEXIST);
  }

  int Close() {
    int Result = ::close(Fd);
    Fd = -1;
    return Result;
  }

  int Fd = -1;
  // Empty while the file is unnamed, and once the name is no longer ours to remove.
  std::string HiddenPath;

 private:
  std::string FFolder;
  std::string FName;
  std::string FShownName;
};

// Collects the bytes and writes them in large blocks. A write that stores fewer
// bytes than asked ends the save: that is how a full disk usually shows.
class TBlockSink : public TSaveSink {
 public:
  TBlockSink(int Fd, const std::string& ShownName) : FFd(Fd), FShownName(ShownName) {
    FBuffer.reserve(BlockSize);
  }

  bool Put(const char* Data, size_t Count) override {
    if (FShort) return false;
    while (Count > 0) {
      size_t Take = std::min(BlockSize - FBuffer.size(), Count);
      FBuffer.insert(FBuffer.end(), Data, Data + Take);
      Data += Take;
      Count -= Take;
      if (FBuffer.size() == BlockSize && !Flush()) return false;
    }
    return true;
  }
  using TSaveSink::Put;

  bool Flush() {
    if (FShort) return false;
    if (FBuffer.empty()) return true;
    for (;;) {
      ssize_t Written = ::write(FFd, FBuffer.data(), FBuffer.size());
      if (Written < 0) {
        if (errno == EINTR) continue;
        Raise("Cannot write file", FShownName, errno);
      }
      if (static_cast<size_t>(Written) < FBuffer.size()) {
        FShort = true;
        return false;
      }
      FBuffer.clear();
      return true;
    }
  }

 private:
  static constexpr size_t BlockSize = 1024 * 1024;
  int FFd;
  const std::string& FShownName;
  std::vector<char> FBuffer;
  bool FShort = false;
};

// Syncs the folder so that its names last; 0 or the error. A file system that
// cannot sync a folder at all (some network and FUSE ones) is no failure.
int SyncFolder(const std::string& Folder) {
  int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) return 0;
  int Error = ::fsync(Fd) == 0 ? 0 : errno;
  ::close(Fd);
  if (Error == EINVAL || Error == EOPNOTSUPP || Error == ENOSYS) return 0;
  return Error;
}

}  // namespace

bool SaveAtomically(const std::string& FileName, const std::function<bool(TSaveSink&)>& Produce) {
  if (FileName.empty()) return false;

  // A link is replaced at its target, so the link stays a link.
  std::string Target = FileName;
  struct stat Info {};
  if (::lstat(FileName.c_str(), &Info) == 0 && S_ISLNK(Info.st_mode)) {
    if (char* Resolved = ::realpath(FileName.c_str(), nullptr)) {
      Target = Resolved;
      std::free(Resolved);
    }
  }

  mode_t Mode;
  const bool Exists = ::stat(Target.c_str(), &Info) == 0;
  if (Exists) {
    if (S_ISDIR(Info.st_mode)) Raise("Cannot create file", FileName, EISDIR);
    // A file the user may not write stays as it is, as writing it in place would.
    if (::access(Target.c_str(), W_OK) != 0) Raise("Cannot create file", FileName, errno);
    Mode = Info.st_mode & 07777;
  } else {
    mode_t Mask = ::umask(0);
    ::umask(Mask);
    Mode = 0666 & ~Mask;
  }

  const std::string Folder = FolderOf(Target);
  RemoveLeftovers(Folder, NameOf(Target));

  TNewFile New(Folder, NameOf(Target), FileName);
  New.Create(Mode);
  if (::fchmod(New.Fd, Mode) != 0) Raise("Cannot create file", FileName, errno);

  TBlockSink Sink(New.Fd, FileName);
  if (!Produce(Sink) || !Sink.Flush()) return false;
  if (::fsync(New.Fd) != 0) Raise("Cannot write file", FileName, errno);
  New.Name();
  if (New.Close() != 0) Raise("Cannot write file", FileName, errno);

  // Swapping the two names keeps the old file, under the hidden name, until the
  // folder is synced, so that a failed sync can still put it back. Where the file
  // system cannot swap, the new file simply replaces the old one.
  const bool Swapped = Exists && ::renameat2(AT_FDCWD, New.HiddenPath.c_str(), AT_FDCWD,
                                             Target.c_str(), RENAME_EXCHANGE) == 0;
  if (!Swapped) {
    if (::rename(New.HiddenPath.c_str(), Target.c_str()) != 0)
      Raise("Cannot write file", FileName, errno);
    New.HiddenPath.clear();
  }

  if (int Error = SyncFolder(Folder)) {
    if (Swapped) {
      // Back to the old file; the new one goes with the hidden name. Should the
      // swap back fail too, the old content stays under the hidden name.
      if (::renameat2(AT_FDCWD, New.HiddenPath.c_str(), AT_FDCWD, Target.c_str(),
                      RENAME_EXCHANGE) != 0)
        New.HiddenPath.clear();
    } else if (!Exists) {
      ::unlink(Target.c_str());
    }
    Raise("Cannot write file", FileName, Error);
  }
  // The old content under the hidden name goes with New.
  return true;
}

#include "PTrans.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "AtomicSave.h"

namespace {

std::string ErrorText(const std::string& What, const std::string& Path, int Error) {
  return What + " \"" + Path + "\". " + std::strerror(Error);
}

[[noreturn]] void RaiseInOut(const std::string& What, const std::string& Path, int Error) {
  throw EInOutError(ErrorText(What, Path, Error));
}

// A forward-only byte stream over an open file with a logical position that may
// be moved past the end, as a seek can. Reads go through one block-sized buffer so
// that a transmittal of any size is read with few system calls and little memory.
class TFileReader {
 public:
  TFileReader(int Fd, const std::string& Path, int64_t Size) : FFd(Fd), FPath(Path), FSize(Size) {
    FBuffer.resize(BlockSize);
  }

  // Reads up to Count bytes into Dest; returns how many arrived.
  size_t Read(char* Dest, size_t Count) {
    size_t Done = 0;
    while (Done < Count) {
      if (FPos < FBufStart || FPos >= FBufStart + static_cast<int64_t>(FBufLen)) {
        if (!Fill()) break;
      }
      size_t Offset = static_cast<size_t>(FPos - FBufStart);
      size_t Take = std::min(Count - Done, FBufLen - Offset);
      std::memcpy(Dest + Done, FBuffer.data() + Offset, Take);
      Done += Take;
      FPos += static_cast<int64_t>(Take);
    }
    return Done;
  }

  void Skip(int64_t Count) { FPos += Count; }
  bool BeforeEnd() const { return FPos < FSize; }

 private:
  static constexpr size_t BlockSize = 256 * 1024;

  // Loads the block at the current position; false at the end of the file.
  bool Fill() {
    for (;;) {
      ssize_t Got = pread(FFd, FBuffer.data(), FBuffer.size(), static_cast<off_t>(FPos));
      if (Got < 0) {
        if (errno == EINTR) continue;
        RaiseInOut("Cannot read file", FPath, errno);
      }
      FBufStart = FPos;
      FBufLen = static_cast<size_t>(Got);
      return Got > 0;
    }
  }

  int FFd;
  const std::string& FPath;
  int64_t FSize;
  int64_t FPos = 0;
  std::vector<char> FBuffer;
  int64_t FBufStart = 0;
  size_t FBufLen = 0;
};

// Closes a descriptor on every way out of a scope.
class TFdCloser {
 public:
  explicit TFdCloser(int Fd) : FFd(Fd) {}
  TFdCloser(const TFdCloser&) = delete;
  TFdCloser& operator=(const TFdCloser&) = delete;
  ~TFdCloser() {
    if (FFd >= 0) ::close(FFd);
  }
  // Closes now and reports a failure.
  int Close() {
    int Result = ::close(FFd);
    FFd = -1;
    return Result;
  }

 private:
  int FFd;
};

const char LineEnd[2] = {'\r', '\n'};

// How many of Count bytes come before the first line end (CR or LF): Count when
// they hold none. Two memchr scans, the second only up to the first CR: this
// runs over every member line of a file on its way to the screen.
size_t BeforeLineEnd(const char* Bytes, size_t Count) {
  const void* Cr = std::memchr(Bytes, '\r', Count);
  const size_t End = Cr == nullptr ? Count : static_cast<size_t>(static_cast<const char*>(Cr) - Bytes);
  const void* Lf = std::memchr(Bytes, '\n', End);
  return Lf == nullptr ? End : static_cast<size_t>(static_cast<const char*>(Lf) - Bytes);
}

}  // namespace

TTrans::TTrans() = default;

// Records go before the descriptors they refer to; the member order of the class
// (field lists first) makes the implicit order right, this states it.
TTrans::~TTrans() {
  Header.reset();
  Trailer.reset();
  ClearFreeList(&Details);
}

void TTrans::InitRecords() {
  InitHeader();
  InitTrailer();
}

int32_t TTrans::VisibleCount() const {
  int32_t Count = 0;
  for (const TRecord* Record : Details)
    if (Record->Visible) ++Count;
  return Count;
}

bool TTrans::LoadFromFile() {
  if (TagLength <= 0 || TagStart <= 0 || HeaderLength <= 0 || DetailLength <= 0 ||
      TrailerLength <= 0 || FileName.empty())
    return false;
  // Sizes that would make the reader step outside its buffers are no layout at all.
  if (HeaderLength < TagLength || DetailLength < TagLength || TrailerLength < TagLength ||
      !Header || !Trailer || Header->RecordLength < HeaderLength ||
      Trailer->RecordLength < TrailerLength)
    return false;

  const size_t T = static_cast<size_t>(TagLength);
  std::vector<char> Tag(T);
  // A tag can only match where it lies wholly inside the tag buffer.
  auto TagIs = [&](const std::string& Expected) {
    if (static_cast<size_t>(TagStart - 1) + Expected.size() > T) return false;
    return MatchTag(Expected, TagStart, Tag.data());
  };

  int Fd = ::open(FileName.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (Fd < 0) RaiseInOut("Cannot open file", FileName, errno);
  TFdCloser Closer(Fd);
  struct stat Info {};
  if (::fstat(Fd, &Info) != 0) RaiseInOut("Cannot open file", FileName, errno);
  // Only a regular file is a transmittal; anything else could block a read forever.
  if (!S_ISREG(Info.st_mode)) RaiseInOut("Cannot open file", FileName, EINVAL);

  ClearFreeList(&Details);
  TFileReader Reader(Fd, FileName, static_cast<int64_t>(Info.st_size));

  // A line end inside a record is where its line stopped short: the reader
  // treats it as the end of the file, so the bytes of the next line never pass
  // for the rest of this record. (The two bytes after a whole record are skipped
  // untested.)
  bool Result = [&]() {
    if (Reader.Read(Tag.data(), T) < T || !TagIs("HEAD ")) return false;
    const size_t HeaderRest = static_cast<size_t>(HeaderLength) - T;
    std::vector<char> Line(std::max(HeaderRest, static_cast<size_t>(TrailerLength) - T));
    // A header cut short keeps what was read of it; nothing after it is read.
    const size_t HeaderRead = BeforeLineEnd(Line.data(), Reader.Read(Line.data(), HeaderRest));
    std::memcpy(Header->Buffer + T, Line.data(), HeaderRead);
    if (HeaderRead < HeaderRest) return false;
    std::memcpy(Header->Buffer, Tag.data(), T);
    Reader.Skip(2);

    const size_t DetailRest = static_cast<size_t>(DetailLength) - T;
    while (Reader.BeforeEnd()) {
      if (Reader.Read(Tag.data(), T) != T) return false;
      if (!TagIs("TRANS")) break;
      auto Record = std::make_unique<TRecord>(DetailLength, &FieldLists[2]);
      // A member cut short is no member: reading stops before it.
      const size_t Got = Reader.Read(Record->Buffer + T, DetailRest);
      if (Got < DetailRest || BeforeLineEnd(Record->Buffer + T, Got) < DetailRest) return false;
      std::memcpy(Record->Buffer, Tag.data(), T);
      Reader.Skip(2);
      Details.Add(std::move(Record));
    }
    // No trailer: the file ended after the members, or right after a foreign tag.
    if (!Reader.BeforeEnd()) return false;
    if (!TagIs("TRAIL")) return false;
    // A short last line is taken up to its end (of the file or of the line); the
    // columns past it keep their former content.
    const size_t TrailerRest = static_cast<size_t>(TrailerLength) - T;
    const size_t TrailerRead = BeforeLineEnd(Line.data(), Reader.Read(Line.data(), TrailerRest));
    std::memcpy(Trailer->Buffer + T, Line.data(), TrailerRead);
    std::memcpy(Trailer->Buffer, Tag.data(), T);
    return true;
  }();

  if (Closer.Close() != 0) RaiseInOut("Cannot close file", FileName, errno);
  return Result;
}

bool TTrans::SaveToFile(bool /*Force*/) {
  if (FileName.empty()) return false;
  if (!Header || !Trailer) return false;
  return SaveAtomically(FileName, [this](TSaveSink& Sink) {
    auto PutLine = [&Sink](const TRecord* Record, int32_t Length) {
      if (Record->RecordLength < Length) return false;
      return Sink.Put(Record->Buffer, static_cast<size_t>(Length)) && Sink.Put(LineEnd, 2);
    };
    if (!PutLine(Header.get(), HeaderLength)) return false;
    for (const TRecord* Record : Details)
      if (!PutLine(Record, DetailLength)) return false;
    return PutLine(Trailer.get(), TrailerLength);
  });
}

void AddStringField(const std::string& Name, TFieldList* List, int32_t Start, int32_t Length) {
  List->Add(std::make_unique<TStringField>(Name, Start, Length));
}

void AddDateField(const std::string& Name, TFieldList* List, int32_t Start, int32_t Length) {
  List->Add(std::make_unique<TStdDateField>(Name, Start, Length));
}

void AddDoubleField(const std::string& Name, TFieldList* List, int32_t Scale, int32_t Start,
                    int32_t Length) {
  List->Add(std::make_unique<TDoubleField>(Name, Scale, Start, Length));
}

bool MatchTag(const std::string& Tag, int32_t Start, const char* Buffer) {
  return Tag.empty() || std::memcmp(Buffer + (Start - 1), Tag.data(), Tag.size()) == 0;
}

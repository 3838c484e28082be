// Files: file names as the demo's media name them, resolved on this OS.
// "\" is a path separator and a name that differs from an existing file only
// in letter case finds that file, as on the system the media were made for.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Raised for a file that cannot be opened or read; nothing in the demo
// catches it but main(), which shows its text and ends the program.
struct EInOutError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The path to open for a media file name; the name itself (slashes mended)
// when nothing matches, so the open fails as it would have.
std::string ResolvePath(const std::string& name);

// ".mkv" for "Demo.MKV": a path's extension with its dot, in lower case;
// empty when it has none.
std::string LowerExtension(const std::string& path);

// Changes the process's working directory; false when that failed.
bool ChangeDirectory(const std::string& dir);
bool IsDirectory(const std::string& dir);
// The directory of the running program's file; empty when it can't be told.
std::string ProgramDirectory();

// Reads a whole file. False when it cannot be opened or read.
bool ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& bytes);

// Reads at most `limit` bytes from the start of a file. False when it cannot
// be opened; a shorter file gives fewer bytes.
bool ReadFilePrefix(const std::string& name, std::size_t limit, std::vector<std::uint8_t>& bytes);

// Replaces `path` (taken as given, not resolved) with `bytes` all at once:
// a new file beside it is written, flushed to disk and renamed over it, so a
// reader sees the old file or the new one, never a part. With keepBackup the
// old file, if any, stays as `path + ".bak"` (replacing an older one). False
// with a one-line reason in `error`, `path` as it was and no file left over.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, bool keepBackup,
                         std::string& error);

// A file's modification time and size: a change to either means it was
// written. False when the file is missing.
struct TFileStamp {
  std::int64_t ModifiedNs = 0;
  std::int64_t Size = -1;
  bool operator==(const TFileStamp&) const = default;
};
bool FileStamp(const std::string& name, TFileStamp& stamp);
// The process's working directory with a trailing "/"; empty when unknown.
std::string CurrentDirectory();

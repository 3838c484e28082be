// Files: POSIX directory look-ups for Windows-style media names.
#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <cstdio>
#include <memory>

namespace {
bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `part` ignoring case; empty if none.
std::string FindIgnoringCase(const std::string& dir, const std::string& part) {
  std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.empty() ? "." : dir.c_str()), closedir);
  if (!d) return {};
  while (dirent* e = readdir(d.get())) {
    if (strcasecmp(e->d_name, part.c_str()) == 0) return e->d_name;
  }
  return {};
}
}  // namespace

std::string ResolvePath(const std::string& name) {
  std::string path = name;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.empty() || Exists(path)) return path;

  // Walk the components, mending letter case where the exact name is missing.
  std::string resolved = path[0] == '/' ? "/" : "";
  std::size_t pos = path[0] == '/' ? 1 : 0;
  while (pos <= path.size()) {
    std::size_t slash = path.find('/', pos);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(pos, slash - pos);
    pos = slash + 1;
    if (part.empty()) continue;
    std::string dir = resolved;
    std::string candidate = dir + part;
    if (!Exists(candidate)) {
      std::string match = FindIgnoringCase(dir.empty() ? "." : dir, part);
      if (match.empty()) return path;
      candidate = dir + match;
    }
    resolved = candidate;
    if (slash < path.size()) resolved += '/';
  }
  return resolved;
}

bool ChangeDirectory(const std::string& dir) { return chdir(ResolvePath(dir).c_str()) == 0; }

bool IsDirectory(const std::string& dir) {
  struct stat st;
  return stat(ResolvePath(dir).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ProgramDirectory() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  const std::string file(path, static_cast<std::size_t>(n));
  return file.substr(0, file.rfind('/') + 1);
}

bool ReadFilePrefix(const std::string& name, std::size_t limit, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(ResolvePath(name).c_str(), "rb"), std::fclose);
  if (!f) return false;
  struct stat st;
  if (fstat(fileno(f.get()), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::uint8_t chunk[65536];
  while (bytes.size() < limit) {
    std::size_t want = std::min(sizeof chunk, limit - bytes.size());
    std::size_t got = std::fread(chunk, 1, want, f.get());
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < want) return !std::ferror(f.get());
  }
  return true;
}

bool ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& bytes) {
  return ReadFilePrefix(name, static_cast<std::size_t>(-1), bytes);
}

namespace {
// A name beside `path` that no other writer picks: this process's id and a
// count of its own temporary files.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> count{0};
  return path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(count++);
}

std::string Reason(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// Creates `temp` with `bytes`, on the disk when this returns true; else
// removes it and gives the reason.
bool WriteNewFile(const std::string& path, const std::string& temp, const std::vector<std::uint8_t>& bytes,
                  const struct stat* old, std::string& error) {
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = Reason("cannot write " + path, errno);
    return false;
  }
  // The new file keeps the old one's permissions.
  if (old) fchmod(fd, old->st_mode & 07777);
  int failure = 0;
  for (std::size_t done = 0; done < bytes.size() && !failure;) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) done += static_cast<std::size_t>(n);
    else if (n == 0) failure = ENOSPC;
    else if (errno != EINTR) failure = errno;
  }
  if (!failure && fsync(fd) != 0) failure = errno;
  // close may report a write the disk refused late (NFS, quotas).
  if (close(fd) != 0 && !failure) failure = errno;
  if (!failure) return true;
  error = Reason("cannot write " + path, failure);
  unlink(temp.c_str());
  return false;
}

// The old file as path.bak: a second name for it where the file system has
// hard links, else a copy.
bool KeepBackup(const std::string& path, std::string& error) {
  const std::string backup = path + ".bak";
  const std::string second = TemporaryName(path);
  if (link(path.c_str(), second.c_str()) == 0) {
    if (rename(second.c_str(), backup.c_str()) == 0) return true;
    error = Reason("cannot keep " + backup, errno);
    unlink(second.c_str());
    return false;
  }
  std::vector<std::uint8_t> old;
  errno = 0;
  if (!ReadFileBytes(path, old)) {
    error = Reason("cannot keep " + backup, errno ? errno : EIO);
    return false;
  }
  return WriteFileAtomically(backup, old, false, error);
}
}  // namespace

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, bool keepBackup,
                         std::string& error) {
  struct stat old;
  const bool exists = stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    error = "cannot write " + path + ": it is a directory";
    return false;
  }
  const std::string temp = TemporaryName(path);
  if (!WriteNewFile(path, temp, bytes, exists ? &old : nullptr, error)) return false;
  if (exists && keepBackup && !KeepBackup(path, error)) {
    unlink(temp.c_str());
    return false;
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    error = Reason("cannot write " + path, errno);
    unlink(temp.c_str());
    return false;
  }
  // The rename itself reaches the disk with its directory; a failure here
  // leaves the new file in place all the same.
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

bool FileStamp(const std::string& name, TFileStamp& stamp) {
  struct stat st;
  if (stat(ResolvePath(name).c_str(), &st) != 0) return false;
  stamp.ModifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.Size = static_cast<std::int64_t>(st.st_size);
  return true;
}

std::string CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path dir = std::filesystem::current_path(error);
  return error ? std::string() : dir.string() + "/";
}

// PendingFile: an output written under a temporary name ("<name>.part") and
// renamed into place only once it is complete, so that a failed or
// interrupted capture never leaves a file that looks finished.
#pragma once
#include <string>

class TPendingFile {
 public:
  explicit TPendingFile(std::string finalPath);
  ~TPendingFile();  // removes the temporary file unless committed
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;

  // Creates the empty temporary file, proving early that the place is
  // writable. False with the reason in `error`.
  bool Create(std::string& error);
  bool Commit(std::string& error);
  void Discard();

  const std::string& FinalPath() const { return Final; }
  const std::string& TempPath() const { return Temp; }

 private:
  std::string Final, Temp;
  bool Created = false;
};

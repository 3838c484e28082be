// PendingFile: create, then rename over the final name, or remove.
#include "tools/capture/PendingFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

TPendingFile::TPendingFile(std::string finalPath) : Final(std::move(finalPath)), Temp(Final + ".part") {}

TPendingFile::~TPendingFile() { Discard(); }

bool TPendingFile::Create(std::string& error) {
  std::error_code ec;
  if (fs::is_directory(Final, ec)) {
    error = "Cannot write " + Final + ": it is a directory";
    return false;
  }
  std::FILE* f = std::fopen(Temp.c_str(), "wb");
  if (!f) {
    error = "Cannot write " + Final + ": " + std::strerror(errno);
    return false;
  }
  std::fclose(f);
  Created = true;
  return true;
}

bool TPendingFile::Commit(std::string& error) {
  std::error_code ec;
  fs::rename(Temp, Final, ec);
  if (ec) {
    error = "Cannot write " + Final + ": " + ec.message();
    return false;
  }
  Created = false;
  return true;
}

void TPendingFile::Discard() {
  if (!Created) return;
  std::error_code ec;
  fs::remove(Temp, ec);
  Created = false;
}

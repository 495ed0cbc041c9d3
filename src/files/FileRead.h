// The one way the program reads a file from disk: only a regular file is
// read. A named pipe, a device or a folder where a file is expected is
// refused at once, before anything could wait on it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "persist/FileFault.h"

namespace plandra {

enum class FileReadStatus { kOk, kMissing, kNotRegular, kFailed };

struct FileBytes {
  FileReadStatus Status = FileReadStatus::kMissing;
  std::string Bytes;   // at most the bytes asked for
  bool More = false;   // the file holds more than that
  std::string Reason;  // why it was not read, for the message: "a named pipe", strerror
  FileFault Fault = FileFault::kNone;
};

// Reads at most maxBytes of the file; More tells whether it holds more.
FileBytes ReadRegularFile(const std::filesystem::path& file, size_t maxBytes);

}  // namespace plandra

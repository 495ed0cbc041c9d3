// The one way the program writes a whole file: a temporary file with a short
// name beside the target, flushed to the disk and renamed over the target, so
// that a failed or interrupted write never destroys the previous file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "persist/FileFault.h"

namespace plandra {

// Closes a file descriptor on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  // False when the close reported an error (a write that did not reach the file).
  bool Close();

 private:
  int fd_;
};

enum class FileWriteStatus {
  kOk,
  kReadOnly,           // the target carries no write permission
  kFolderNotWritable,  // the temporary file cannot be made or renamed there
  kFailed              // any other reason (no folder, not a plain file, disk full)
};

struct FileWriteResult {
  FileWriteStatus Status = FileWriteStatus::kOk;
  std::string Reason;  // why it failed, not translated
  FileFault Fault = FileFault::kNone;
  bool Ok() const { return Status == FileWriteStatus::kOk; }
};

// Replaces (or creates) target with bytes. A symbolic link is followed to
// the file it names, which is replaced while the link stays; the target's
// mode, owner and group are kept. Where the owner cannot be kept (a file of
// another user), or the file has other hard links, it is rewritten in place
// instead, so that every name and its owner still see it. Targets without a
// write bit, folders and other special files are refused.
FileWriteResult WriteFileSafely(const std::filesystem::path& target, std::string_view bytes);

// Whether a file can be made in the folder: only making one tells, for the
// permission bits say nothing to root, nor of a file system mounted
// read-only. The file is removed at once.
bool CanCreateFileIn(const std::filesystem::path& folder);

// WriteFileSafely for callers that only tell the reason.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error);

// Adds bytes at the end of path, creating it when missing. Appends are written
// in place: a log that grows row by row cannot be copied whole for each row.
// The same refusals as for a replacement hold (read-only, special files).
bool AppendToFile(const std::filesystem::path& path, std::string_view bytes);

// A file as it stood when it was written. A temporary file is removed only
// while it is still the one the program wrote: another program may have
// saved its own work under that name since.
struct FileStamp {
  std::filesystem::path Path;
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
};

std::optional<FileStamp> StampOf(const std::filesystem::path& file);
// Removes the stamped file when it is still that file; true when removed.
bool RemoveIfUnchanged(const FileStamp& stamp);

}  // namespace plandra

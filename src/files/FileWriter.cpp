#include "files/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace plandra {
namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;
// The temporary file is private until its contents are complete.
constexpr mode_t kPrivateMode = 0600;

#if defined(__wasi__)
// WASI files carry no mode and no owner: there is none to give, keep or
// read a refusal from (access() still tells).
int ChangeMode(int, mode_t) { return 0; }
int ChangeOwner(int, uid_t, gid_t) { return 0; }
bool MarkedReadOnly(const struct stat&) { return false; }
#else
int ChangeMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int ChangeOwner(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }
bool MarkedReadOnly(const struct stat& existing) { return (existing.st_mode & 0222) == 0; }
#endif

bool IsAccessRefused(int error) { return error == EACCES || error == EPERM || error == EROFS; }

FileWriteResult Failure(FileWriteStatus status, std::string reason,
                        FileFault fault = FileFault::kOther) {
  return {status, std::move(reason), fault};
}

FileWriteResult SystemFailure(int error) {
  return Failure(IsAccessRefused(error) ? FileWriteStatus::kReadOnly : FileWriteStatus::kFailed,
                 std::strerror(error), FaultOfErrno(error));
}

// The temporary file is made and renamed in the target's folder: a refusal
// there is the folder's, whatever the file is.
FileWriteResult FolderFailure(int error) {
  if (!IsAccessRefused(error)) {
    return Failure(FileWriteStatus::kFailed, std::strerror(error), FaultOfErrno(error));
  }
  return Failure(FileWriteStatus::kFolderNotWritable, "the folder cannot be written",
                 FaultOfErrno(error));
}

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link); a link to a missing file names where that file is to be made.
bool FollowLinks(const fs::path& path, fs::path& file) {
  file = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::error_code error;
    const fs::path next = fs::read_symlink(file, error);
    if (error) return false;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// A name of a few characters: the target's own name may already be as long
// as the system allows.
int CreateTemporary(const fs::path& folder, fs::path& temporary) {
  static std::atomic<unsigned> made{0};
  const std::string base = ".pdw" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (base + std::to_string(made++) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename must reach the disk too, or a crash could bring back the old file.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

FileWriteResult WriteIntoDescriptor(int fd, std::string_view bytes) {
  if (WriteAll(fd, bytes) && ::fsync(fd) == 0) return {};
  return SystemFailure(errno);
}

// Where the file's owner or its other names must stay, the bytes go into the
// file itself; an interrupted write can then leave it incomplete.
FileWriteResult RewriteInPlace(const fs::path& file, std::string_view bytes) {
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.Get() < 0) return SystemFailure(errno);
  if (!WriteAll(fd.Get(), bytes) || ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 ||
      ::fsync(fd.Get()) != 0) {
    return SystemFailure(errno);
  }
  if (!fd.Close()) return SystemFailure(errno);
  return {};
}

FileWriteResult CheckTarget(const fs::path& target, const struct stat& existing) {
  // Write bits, not access() alone: root may write anything, yet a file
  // marked read-only must still not be replaced.
  if (S_ISDIR(existing.st_mode)) {
    return Failure(FileWriteStatus::kReadOnly, "it is a folder", FileFault::kNotRegular);
  }
  if (!S_ISREG(existing.st_mode)) {
    return Failure(FileWriteStatus::kFailed, "not a regular file", FileFault::kNotRegular);
  }
  if (MarkedReadOnly(existing) || (::access(target.c_str(), W_OK) != 0 && IsAccessRefused(errno))) {
    return Failure(FileWriteStatus::kReadOnly, "the file is read-only");
  }
  return {};
}

enum class Ownership { kTaken, kNotKept, kFailed };

// The temporary file takes the target's mode, owner and group; a new file
// the mode the user's umask gives. kNotKept: this user may not give the file
// its owner or group.
Ownership TakeOver(int fd, const struct stat* existing, mode_t newFileMode) {
  if (existing == nullptr)
    return ChangeMode(fd, newFileMode) == 0 ? Ownership::kTaken : Ownership::kFailed;
  struct stat made {};
  if (::fstat(fd, &made) != 0) return Ownership::kFailed;
  if ((made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) &&
      ChangeOwner(fd, existing->st_uid, existing->st_gid) != 0) {
    return errno == EPERM ? Ownership::kNotKept : Ownership::kFailed;
  }
  return ChangeMode(fd, existing->st_mode & 07777) == 0 ? Ownership::kTaken : Ownership::kFailed;
}

// Writes the bytes into the new temporary file, private until they are all
// there, then gives it the target's mode, owner and group.
FileWriteResult FillTemporary(int fd, const struct stat* existing, std::string_view bytes,
                              Ownership& owner) {
  struct stat made {};
  if (::fstat(fd, &made) != 0 || ChangeMode(fd, kPrivateMode) != 0) return SystemFailure(errno);
  FileWriteResult result = WriteIntoDescriptor(fd, bytes);
  if (!result.Ok()) return result;
  owner = TakeOver(fd, existing, made.st_mode & 07777);
  if (owner == Ownership::kFailed) return SystemFailure(errno);
  return result;
}

FileWriteResult ReplaceThroughTemporary(const fs::path& target, const struct stat* existing,
                                        std::string_view bytes) {
  const fs::path folder = FolderOf(target);
  fs::path temporary;
  FileDescriptor fd(CreateTemporary(folder, temporary));
  if (fd.Get() < 0) return FolderFailure(errno);
  Ownership owner = Ownership::kFailed;
  FileWriteResult result = FillTemporary(fd.Get(), existing, bytes, owner);
  if (!fd.Close() && result.Ok()) result = SystemFailure(errno);
  if (result.Ok() && owner == Ownership::kTaken) {
    if (::rename(temporary.c_str(), target.c_str()) == 0) {
      SyncFolder(folder);
      return result;
    }
    result = FolderFailure(errno);
  }
  ::unlink(temporary.c_str());
  // Another user's file keeps its owner: it is written where it lies.
  if (result.Ok() && owner == Ownership::kNotKept) return RewriteInPlace(target, bytes);
  return result;
}

}  // namespace

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileDescriptor::Close() {
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

FileWriteResult WriteFileSafely(const fs::path& requested, std::string_view bytes) {
  fs::path target;
  if (!FollowLinks(requested, target)) return Failure(FileWriteStatus::kFailed, "too many links");
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    if (FileWriteResult refused = CheckTarget(target, existing); !refused.Ok()) return refused;
  }
  std::error_code error;
  if (!fs::is_directory(FolderOf(target), error)) {
    return Failure(FileWriteStatus::kFailed, std::strerror(ENOENT), FileFault::kNotFound);
  }
  // Every name of a file with several must see the new contents.
  if (exists && existing.st_nlink > 1) return RewriteInPlace(target, bytes);
  return ReplaceThroughTemporary(target, exists ? &existing : nullptr, bytes);
}

bool CanCreateFileIn(const fs::path& folder) {
  fs::path probe;
  FileDescriptor fd(CreateTemporary(folder, probe));
  if (fd.Get() < 0) return false;
  ::unlink(probe.c_str());
  return true;
}

bool ReplaceFileContents(const fs::path& path, std::string_view bytes, std::string& error) {
  const FileWriteResult result = WriteFileSafely(path, bytes);
  error = result.Reason;
  return result.Ok();
}

bool AppendToFile(const fs::path& path, std::string_view bytes) {
  fs::path file;
  if (!FollowLinks(path, file)) return false;
  struct stat existing {};
  if (::stat(file.c_str(), &existing) != 0) return WriteFileSafely(file, bytes).Ok();
  if (!CheckTarget(file, existing).Ok()) return false;
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  if (fd.Get() < 0) return false;
  const bool written = WriteAll(fd.Get(), bytes);
  return fd.Close() && written;
}

std::optional<FileStamp> StampOf(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return std::nullopt;
  return FileStamp{file, static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                   static_cast<int64_t>(info.st_size),
                   static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool RemoveIfUnchanged(const FileStamp& stamp) {
  const std::optional<FileStamp> now = StampOf(stamp.Path);
  if (!now || now->Device != stamp.Device || now->Inode != stamp.Inode || now->Size != stamp.Size ||
      now->ModifiedNs != stamp.ModifiedNs) {
    return false;
  }
  return ::unlink(stamp.Path.c_str()) == 0;
}

}  // namespace plandra

#include "persist/PDio05.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "persist/Cp932.h"
#include "persist/FileRead.h"
#include "persist/PDio05_read.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

// Far more than the largest figure the store can hold; a larger file is no
// figure file and is not read into memory.
constexpr size_t kMaxFileBytes = size_t{128} << 20;

// Closes the descriptor on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool IsAccessRefused(int error) { return error == EACCES || error == EPERM || error == EROFS; }

FigFileResult Failure(FigFileStatus status, const fs::path& file, const std::string& why) {
  FigFileResult result;
  result.Status = status;
  result.Message = file.string() + ": " + why;
  result.File = file;
  if (status == FigFileStatus::kReadOnly) result.MessageKey = kReadOnlyText;
  return result;
}

FigFileResult SystemFailure(const fs::path& file, int error) {
  FigFileStatus status = IsAccessRefused(error) ? FigFileStatus::kReadOnly : FigFileStatus::kFailed;
  return Failure(status, file, std::strerror(error));
}

// The temporary file is made and renamed in the target's folder: a refusal
// there is the folder's, whatever the file is.
FigFileResult FolderFailure(const fs::path& file, int error) {
  if (!IsAccessRefused(error)) return Failure(FigFileStatus::kFailed, file, std::strerror(error));
  FigFileResult result = Failure(FigFileStatus::kFailed, file, "the folder cannot be written");
  result.MessageKey = kFolderNotWritableText;
  return result;
}

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool ReadWholeFile(const fs::path& file, std::string& bytes, FigFileResult& result) {
  std::error_code ec;
  if (!fs::is_directory(FolderOf(file), ec)) {
    result = Failure(FigFileStatus::kFailed, file, "the folder does not exist");
    return false;
  }
  FileBytes read = ReadRegularFile(file, kMaxFileBytes);
  switch (read.Status) {
    case FileReadStatus::kOk: break;
    case FileReadStatus::kMissing:
      result = Failure(FigFileStatus::kNotFound, file, read.Reason);
      return false;
    default:
      // Reading refused is no read-only case: the caller reports the reason.
      result = Failure(FigFileStatus::kFailed, file, read.Reason);
      return false;
  }
  if (read.More) {
    result = Failure(FigFileStatus::kFailed, file,
                     "the file is too large to be a figure (more than " +
                         std::to_string(kMaxFileBytes) + " bytes)");
    return false;
  }
  bytes = std::move(read.Bytes);
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// A new file beside the target, created exclusively with the usual mode.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
  std::string base = "." + target.filename().string() + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = FolderOf(target) / (base + std::to_string(attempt) + ".tmp");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes a temporary file and renames it over the target, so that a failed
// or interrupted save never destroys the previous file.
FigFileResult ReplaceFile(const fs::path& requested, std::string_view bytes) {
  std::error_code ec;
  fs::path target = requested;
  // Through a link to the file it names, so the link survives the rename.
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat existing {};
  bool exists = ::stat(target.c_str(), &existing) == 0;
  // Write bits, not access(): root may write anything, yet a file marked
  // read-only must still not be replaced.
  if (exists && (S_ISDIR(existing.st_mode) || (existing.st_mode & 0222) == 0 ||
                 (::access(target.c_str(), W_OK) != 0 && IsAccessRefused(errno)))) {
    return Failure(FigFileStatus::kReadOnly, requested, "the file is read-only");
  }
  if (!fs::is_directory(FolderOf(target), ec)) {
    return Failure(FigFileStatus::kFailed, requested, "the folder does not exist");
  }
  fs::path temporary;
  FileDescriptor fd(CreateTemporary(target, temporary));
  if (fd.Get() < 0) return FolderFailure(requested, errno);
  bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
  if (written && exists) written = ::fchmod(fd.Get(), existing.st_mode & 07777) == 0;
  int error = errno;
  if (!fd.Close()) {
    error = errno;
    written = false;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return SystemFailure(requested, error);
  }
  if (::rename(temporary.c_str(), target.c_str()) == 0) return {};
  error = errno;
  ::unlink(temporary.c_str());
  return FolderFailure(requested, error);
}

}  // namespace

bool IsFigFileMode(char mode) { return mode == 'W' || mode == 'R' || mode == 'A'; }

FigFileResult FigFileParse(Figure& fig, std::string_view bytes, char mode,
                           std::string_view fileName) {
  FigTextReadResult read = ReadFigureText(fig, Cp932ToUtf8(bytes), mode, fileName);
  FigFileResult result;
  result.File = fileName;
  result.Status = read.Ok ? FigFileStatus::kOk : FigFileStatus::kFailed;
  result.Message = std::move(read.Message);
  result.Line = read.Line;
  result.TriedOlderLayout = read.TriedOlderLayout;
  return result;
}

FigFileResult FigFileCore(Figure& fig, const std::filesystem::path& file, char mode) {
  if (mode == 'W') {
    bool lost = false;
    std::string bytes = FigFileText(fig, lost);
    FigFileResult result = ReplaceFile(file, bytes);
    result.File = file;
    result.LostCharacters = lost;
    return result;
  }
  if (!IsFigFileMode(mode)) return Failure(FigFileStatus::kFailed, file, "unknown file mode");
  FigFileResult result;
  std::string bytes;
  if (!ReadWholeFile(file, bytes, result)) return result;
  result = FigFileParse(fig, bytes, mode, file.string());
  result.File = file;
  return result;
}

}  // namespace plandra

#include "files/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace plandra {
namespace {

std::string ErrnoText(int error) { return std::generic_category().message(error); }

// What a file that is no regular file is, in the words of the message.
std::string KindOf(mode_t mode) {
  if (S_ISFIFO(mode)) return "not a regular file but a named pipe";
  if (S_ISDIR(mode)) return "not a regular file but a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "not a regular file but a device";
  if (S_ISSOCK(mode)) return "not a regular file but a socket";
  return "not a regular file";
}

FileBytes Refused(FileReadStatus status, std::string reason, FileFault fault) {
  FileBytes read;
  read.Status = status;
  read.Reason = std::move(reason);
  read.Fault = fault;
  return read;
}

FileBytes SystemRefusal(int error) {
  return Refused(FileReadStatus::kFailed, ErrnoText(error), FaultOfErrno(error));
}

// The type of what was opened, then at most maxBytes of it.
FileBytes ReadOpened(int fd, size_t maxBytes) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return SystemRefusal(errno);
  if (!S_ISREG(info.st_mode)) {
    return Refused(FileReadStatus::kNotRegular, KindOf(info.st_mode), FileFault::kNotRegular);
  }
  FileBytes read;
  // One byte past the limit tells whether the file holds more.
  const size_t wanted = maxBytes + 1;
  const auto size = static_cast<size_t>(std::max<off_t>(info.st_size, 0));
  read.Bytes.reserve(std::min(size, maxBytes) + 1);
  char chunk[1 << 16];
  while (read.Bytes.size() < wanted) {
    ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, wanted - read.Bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return SystemRefusal(errno);
    if (got == 0) break;
    read.Bytes.append(chunk, static_cast<size_t>(got));
  }
  read.More = read.Bytes.size() > maxBytes;
  if (read.More) read.Bytes.resize(maxBytes);
  read.Status = FileReadStatus::kOk;
  return read;
}

}  // namespace

FileBytes ReadRegularFile(const std::filesystem::path& file, size_t maxBytes) {
  // Opening without waiting: a named pipe without a writer would otherwise
  // hold the open for ever. The type is then taken from what was opened, so
  // nothing can be swapped in between the test and the read.
  int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    int error = errno;
    if (error == ENOENT) {
      return Refused(FileReadStatus::kMissing, "the file does not exist", FileFault::kNotFound);
    }
    return SystemRefusal(error);
  }
  FileBytes read = ReadOpened(fd, maxBytes);
  ::close(fd);
  return read;
}

}  // namespace plandra

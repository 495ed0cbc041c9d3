// Why a file could not be read or written, in the classes the user is told
// in words of the interface; the system's own text follows them.
#pragma once

#include <cerrno>

namespace plandra {

enum class FileFault {
  kNone,
  kNoSpace,        // the disk or the user's quota is full
  kReadOnlyPlace,  // a file system mounted read-only
  kPermission,     // the file or folder refuses this user
  kNotFound,       // the file or its folder does not exist
  kNotRegular,     // a folder, pipe, device or socket where a file was expected
  kOther
};

constexpr FileFault FaultOfErrno(int error) {
  switch (error) {
    case 0: return FileFault::kNone;
    case ENOSPC:
    case EDQUOT: return FileFault::kNoSpace;
    case EROFS: return FileFault::kReadOnlyPlace;
    case EACCES:
    case EPERM: return FileFault::kPermission;
    case ENOENT:
    case ENOTDIR: return FileFault::kNotFound;
    case EISDIR: return FileFault::kNotRegular;
    default: return FileFault::kOther;
  }
}

}  // namespace plandra

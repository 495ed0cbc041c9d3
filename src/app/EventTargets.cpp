#include "app/EventTargets.h"

#include <algorithm>
#include <array>

#include "figure/PDtype05.h"
#include "files/FileRead.h"

namespace plandra {
namespace {

// Names the desktop would run rather than show.
constexpr std::array<std::string_view, 36> kRunnableExtensions{
    ".desktop", ".sh",  ".bash",     ".zsh", ".csh", ".ksh",        ".fish", ".command", ".py",
    ".pyw",     ".pl",  ".rb",       ".php", ".js",  ".mjs",        ".jar",  ".jnlp",    ".exe",
    ".com",     ".bat", ".cmd",      ".msi", ".vbs", ".vbe",        ".wsf",  ".ps1",     ".scr",
    ".pif",     ".lnk", ".appimage", ".run", ".bin", ".flatpakref", ".deb",  ".rpm",     ".so"};

bool StartsLikeProgram(const std::filesystem::path& file) {
  const FileBytes head = ReadRegularFile(file, 4);
  const std::string_view start = head.Bytes;
  return start.starts_with("#!") ||
         start.starts_with(
             "\x7f"
             "ELF") ||
         start.starts_with("MZ");
}

bool IsExecutable(const std::filesystem::path& file) {
  using std::filesystem::perms;
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error || !std::filesystem::is_regular_file(status)) return false;
  const perms any = perms::owner_exec | perms::group_exec | perms::others_exec;
  return (status.permissions() & any) != perms::none;
}

// The path as it really lies (links followed as far as they exist).
std::filesystem::path RealPath(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path real = std::filesystem::weakly_canonical(path, error);
  return error ? path.lexically_normal() : real;
}

}  // namespace

bool IsInsideFolder(const std::filesystem::path& folder, const std::filesystem::path& file) {
  const std::filesystem::path relative = RealPath(file).lexically_relative(RealPath(folder));
  return !relative.empty() && *relative.begin() != "..";
}

bool IsDesktopAddress(std::string_view text) {
  const std::string lower = LowerAscii(text.substr(0, 8));
  return lower.starts_with("http://") || lower.starts_with("https://") ||
         lower.starts_with("mailto:");
}

std::filesystem::path FigureFolder(std::string_view curFileName) {
  std::filesystem::path folder = std::filesystem::path(curFileName).parent_path();
  if (!folder.empty()) return folder;
  std::error_code error;
  folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path(".") : folder;
}

EventTarget ResolveEventTarget(const std::filesystem::path& folder, std::string_view target,
                               bool addresses) {
  EventTarget resolved;
  std::string text(target);
  // A control character would cut the name short where the system reads it.
  std::replace_if(
      text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
  if (addresses) {
    if (IsDesktopAddress(text)) {
      resolved.Address = text;
      resolved.Outside = true;
      return resolved;
    }
    if (LowerAscii(text.substr(0, 7)) == "file://") {
      text.erase(0, 7);
    } else if (const size_t colon = text.find(':');
               colon != std::string::npos && colon > 1 && text.find_first_of("/\\") > colon) {
      // A scheme other than those above ("javascript:", "smb:", ...): refused.
      resolved.Address = text;
      resolved.Refused = true;
      return resolved;
    }
  }
  std::replace(text.begin(), text.end(), '\\', '/');
  const std::filesystem::path given(text);
  resolved.Path = (given.is_absolute() ? given : folder / given).lexically_normal();
  resolved.Outside = !IsInsideFolder(folder, resolved.Path);
  return resolved;
}

EventTarget LinkedFigureTarget(const std::filesystem::path& folder, std::string_view target) {
  std::string named = WithExtension(target, ".pd5");
  EventTarget figure = ResolveEventTarget(folder, named, false);
  std::error_code error;
  if (std::filesystem::exists(figure.Path, error)) return figure;
  // ".PD5" as well: the digit alone changes, the letters keep their case.
  if (const size_t at = LowerAscii(named).rfind(".pd5"); at != std::string::npos) {
    named[at + 3] = '4';
  }
  return ResolveEventTarget(folder, named, false);
}

bool IsRunnableFile(const std::filesystem::path& file) {
  const std::string extension = LowerAscii(file.extension().string());
  if (std::find(kRunnableExtensions.begin(), kRunnableExtensions.end(), extension) !=
      kRunnableExtensions.end()) {
    return true;
  }
  return IsExecutable(file) || StartsLikeProgram(file);
}

}  // namespace plandra

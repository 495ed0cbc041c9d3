// The program's part of std::filesystem over the POSIX calls of the WASI C
// library (see include/filesystem).
#include "include/filesystem"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace PLANDRA_FS_NAMESPACE {
namespace {

// Links followed while resolving one path before it counts as a loop.
constexpr int kMaxLinkHops = 40;

bool IsRoot(std::string_view element) { return !element.empty() && element[0] == '/'; }
bool IsDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

std::error_code LastError() { return {errno, std::generic_category()}; }

// Where the element that starts at pos ends; a path of separators only is
// one element, as on the desktop.
std::size_t ElementEnd(const std::string& text, std::size_t pos) {
  if (pos == 0 && !text.empty() && text[0] == '/') {
    return text.find_first_not_of('/') == std::string::npos ? text.size() : 1;
  }
  const std::size_t slash = text.find('/', pos);
  return slash == std::string::npos ? text.size() : slash;
}

// Where the element after the one at pos starts; npos after the last.
std::size_t NextElement(const std::string& text, std::size_t pos) {
  if (pos >= text.size()) return std::string::npos;
  const std::size_t end = ElementEnd(text, pos);
  const std::size_t next = text.find_first_not_of('/', end);
  if (next != std::string::npos) return next;
  // A separator at the end after a file name stands for an empty name.
  return end < text.size() && !IsRoot(std::string_view(text).substr(pos, end - pos)) ? text.size()
                                                                                     : next;
}

std::vector<std::string_view> Elements(const std::string& text) {
  std::vector<std::string_view> elements;
  for (std::size_t pos = text.empty() ? std::string::npos : 0; pos != std::string::npos;
       pos = NextElement(text, pos)) {
    elements.push_back(std::string_view(text).substr(pos, ElementEnd(text, pos) - pos));
  }
  return elements;
}

// 0, or why the name cannot be resolved before the system is asked: an
// empty name names nothing, and a folder before a ".." must exist, which
// WASI runtimes do not see to when they resolve ".." by the name alone.
int ResolutionError(const path& p) {
  if (p.empty()) return ENOENT;
  path before;
  for (const path& element : p) {
    struct stat info {};
    if (element == ".." && !before.empty()) {
      if (::stat(before.c_str(), &info) != 0) return errno;
      if (!S_ISDIR(info.st_mode)) return ENOTDIR;
    }
    before /= element;
  }
  return 0;
}

// stat or lstat, as the POSIX systems answer.
int StatAsPosix(int (*call)(const char*, struct stat*), const path& p, struct stat& info) {
  errno = ResolutionError(p);
  return errno != 0 ? -1 : call(p.c_str(), &info);
}

file_status StatusOf(int result, const struct stat& info, std::error_code& ec) {
  if (result != 0) {
    ec = LastError();
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return file_status(missing ? file_type::not_found : file_type::none);
  }
  ec.clear();
  file_type type = file_type::unknown;
  if (S_ISREG(info.st_mode))
    type = file_type::regular;
  else if (S_ISDIR(info.st_mode))
    type = file_type::directory;
  else if (S_ISLNK(info.st_mode))
    type = file_type::symlink;
  else if (S_ISBLK(info.st_mode))
    type = file_type::block;
  else if (S_ISCHR(info.st_mode))
    type = file_type::character;
  else if (S_ISFIFO(info.st_mode))
    type = file_type::fifo;
  else if (S_ISSOCK(info.st_mode))
    type = file_type::socket;
  return file_status(type, static_cast<perms>(info.st_mode & 07777));
}

// The path with every link resolved and no "." or ".."; only for a path
// that exists, as realpath does (the WASI library declares but lacks it).
path Canonical(const path& p, std::error_code& ec) {
  const path whole = absolute(p, ec);
  if (ec) return {};
  std::vector<std::string> pending;
  for (std::string_view name : Elements(whole.native())) pending.emplace(pending.begin(), name);
  path result = "/";
  int hops = 0;
  while (!pending.empty()) {
    const std::string name = std::move(pending.back());
    pending.pop_back();
    if (name.empty() || name == "." || IsRoot(name)) continue;
    if (name == "..") {
      result = result.parent_path();
      continue;
    }
    const path next = result / name;
    if (!is_symlink(symlink_status(next, ec))) {
      if (ec) return {};
      result = next;
      continue;
    }
    if (++hops > kMaxLinkHops) {
      ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
      return {};
    }
    const path target = read_symlink(next, ec);
    if (ec) return {};
    if (target.is_absolute()) result = "/";
    const auto names = Elements(target.native());
    for (auto name = names.rbegin(); name != names.rend(); ++name) pending.emplace_back(*name);
  }
  return result;
}

}  // namespace

path::iterator::iterator(const path* owner, std::size_t pos) : owner_(owner), pos_(pos) {
  if (pos_ == std::string::npos) return;
  const std::string& text = owner_->native();
  element_ = path(text.substr(pos_, ElementEnd(text, pos_) - pos_));
}

path::iterator& path::iterator::operator++() {
  *this = iterator(owner_, NextElement(owner_->native(), pos_));
  return *this;
}

path::iterator path::begin() const { return iterator(this, text_.empty() ? std::string::npos : 0); }
path::iterator path::end() const { return iterator(this, std::string::npos); }

path& path::operator/=(const path& other) {
  if (other.is_absolute()) return *this = other;
  if (has_filename()) text_ += '/';
  text_ += other.text_;
  return *this;
}

path& path::replace_extension(const path& replacement) {
  text_.resize(text_.size() - extension().text_.size());
  if (!replacement.empty() && replacement.text_[0] != '.') text_ += '.';
  text_ += replacement.text_;
  return *this;
}

std::string path::generic_string() const {
  std::string generic;
  bool afterName = false;
  for (std::string_view element : Elements(text_)) {
    if (afterName) generic += '/';
    generic += IsRoot(element) ? "/" : element;
    afterName = !IsRoot(element);
  }
  return generic;
}

int path::compare(const path& other) const noexcept {
  if (has_root_directory() != other.has_root_directory()) return has_root_directory() ? 1 : -1;
  const path myNames = relative_path();
  const path theirNames = other.relative_path();
  const auto mine = Elements(myNames.text_);
  const auto theirs = Elements(theirNames.text_);
  std::size_t i = 0;
  for (; i < mine.size() && i < theirs.size(); ++i) {
    if (const int order = mine[i].compare(theirs[i])) return order;
  }
  return static_cast<int>(i < mine.size()) - static_cast<int>(i < theirs.size());
}

path path::root_directory() const { return has_root_directory() ? path("/") : path(); }

path path::relative_path() const {
  const std::size_t start = has_root_directory() ? text_.find_first_not_of('/') : 0;
  return start == std::string::npos ? path() : path(text_.substr(start));
}

path path::parent_path() const {
  if (relative_path().empty()) return *this;
  const auto elements = Elements(text_);
  if (elements.size() < 2) return {};
  const std::string_view parent = elements[elements.size() - 2];
  return path(
      text_.substr(0, static_cast<std::size_t>(parent.data() - text_.data()) + parent.size()));
}

path path::filename() const {
  const auto elements = Elements(text_);
  if (elements.empty() || IsRoot(elements.back())) return {};
  return path(elements.back());
}

path path::stem() const {
  const std::string name = filename().text_;
  const std::size_t dot = name.rfind('.');
  if (IsDotOrDotDot(name) || dot == 0 || dot == std::string::npos) return name;
  return path(name.substr(0, dot));
}

path path::extension() const {
  const std::string name = filename().text_;
  const std::size_t dot = name.rfind('.');
  if (IsDotOrDotDot(name) || dot == 0 || dot == std::string::npos) return {};
  return path(name.substr(dot));
}

path path::lexically_normal() const {
  const path relative = relative_path();
  if (relative.empty()) return *this;
  std::vector<std::string_view> names;
  bool endsInSeparator = false;
  for (std::string_view element : Elements(relative.text_)) {
    if (element == "..") {
      const bool climbs = !names.empty() && names.back() != "..";
      if (climbs) names.pop_back();
      // ".." climbs a name, stops at the root, and stays where nothing is left to climb.
      if (!climbs && !(names.empty() && has_root_directory())) names.push_back(element);
      endsInSeparator = climbs || names.empty();
    } else if (element.empty() || element == ".") {
      endsInSeparator = true;
    } else {
      names.push_back(element);
      endsInSeparator = false;
    }
  }
  path normal = root_directory();
  for (std::string_view name : names) normal /= path(name);
  if (endsInSeparator && !names.empty() && names.back() != "..") normal.text_ += '/';
  return normal.empty() ? path(".") : normal;
}

path path::lexically_relative(const path& base) const {
  if (is_absolute() != base.is_absolute()) return {};
  const auto mine = Elements(text_);
  const auto theirs = Elements(base.text_);
  std::size_t common = 0;
  const auto same = [](std::string_view a, std::string_view b) {
    return a == b || (IsRoot(a) && IsRoot(b));
  };
  while (common < mine.size() && common < theirs.size() && same(mine[common], theirs[common])) {
    ++common;
  }
  if (common == mine.size() && common == theirs.size()) return ".";
  int climbs = 0;
  for (std::size_t i = common; i < theirs.size(); ++i) {
    if (theirs[i] == "..")
      --climbs;
    else if (!theirs[i].empty() && theirs[i] != ".")
      ++climbs;
  }
  if (climbs < 0) return {};
  if (climbs == 0 && (common == mine.size() || mine[common].empty())) return ".";
  path relative;
  for (int i = 0; i < climbs; ++i) relative /= "..";
  for (std::size_t i = common; i < mine.size(); ++i) relative /= path(mine[i]);
  return relative;
}

file_status status(const path& p, std::error_code& ec) noexcept {
  struct stat info {};
  return StatusOf(StatAsPosix(::stat, p, info), info, ec);
}

file_status symlink_status(const path& p, std::error_code& ec) noexcept {
  struct stat info {};
  return StatusOf(StatAsPosix(::lstat, p, info), info, ec);
}

bool exists(const path& p, std::error_code& ec) noexcept {
  const file_status s = status(p, ec);
  if (status_known(s)) ec.clear();
  return exists(s);
}

bool is_regular_file(const path& p, std::error_code& ec) noexcept {
  return is_regular_file(status(p, ec));
}

bool is_directory(const path& p, std::error_code& ec) noexcept {
  return is_directory(status(p, ec));
}

bool equivalent(const path& p1, const path& p2, std::error_code& ec) noexcept {
  struct stat first {
  }, second{};
  std::error_code firstError, secondError;
  const file_status s1 = StatusOf(StatAsPosix(::stat, p1, first), first, firstError);
  const file_status s2 = StatusOf(StatAsPosix(::stat, p2, second), second, secondError);
  ec.clear();
  if (exists(s1) && exists(s2))
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  if (!exists(s1) && !exists(s2))
    ec = std::make_error_code(std::errc::no_such_file_or_directory);
  else if (!status_known(s1))
    ec = firstError;
  else if (!status_known(s2))
    ec = secondError;
  return false;
}

path read_symlink(const path& p, std::error_code& ec) {
  if (!is_symlink(symlink_status(p, ec))) {
    if (!ec) ec = std::make_error_code(std::errc::invalid_argument);
    return {};
  }
  for (std::string target(256, '\0');; target.resize(target.size() * 2)) {
    const ssize_t length = ::readlink(p.c_str(), target.data(), target.size());
    if (length < 0) {
      ec = LastError();
      return {};
    }
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      return target;
    }
  }
}

path current_path(std::error_code& ec) {
  for (std::string folder(256, '\0');; folder.resize(folder.size() * 2)) {
    if (::getcwd(folder.data(), folder.size())) {
      ec.clear();
      folder.resize(folder.find('\0'));
      return folder;
    }
    if (errno != ERANGE) {
      ec = LastError();
      return {};
    }
  }
}

path absolute(const path& p, std::error_code& ec) {
  if (p.empty()) {
    ec = std::make_error_code(std::errc::invalid_argument);
    return {};
  }
  ec.clear();
  if (p.is_absolute()) return p;
  const path folder = current_path(ec);
  return ec ? path() : folder / p;
}

path weakly_canonical(const path& p, std::error_code& ec) {
  file_status s = status(p, ec);
  if (exists(s)) return Canonical(p, ec);
  if (!status_known(s)) return {};
  ec.clear();
  // The longest leading part that exists is resolved; the rest is kept.
  path existing;
  auto element = p.begin();
  for (; element != p.end(); ++element) {
    const path longer = existing / *element;
    s = status(longer, ec);
    if (!exists(s)) break;
    existing = longer;
  }
  if (!status_known(s)) return {};
  ec.clear();
  path result = existing.empty() ? path() : Canonical(existing, ec);
  if (ec) return {};
  for (; element != p.end(); ++element) result /= *element;
  return result.lexically_normal();
}

path temp_directory_path(std::error_code& ec) {
  path folder = "/tmp";
  for (const char* name : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"}) {
    if (const char* value = std::getenv(name)) {
      folder = value;
      break;
    }
  }
  const file_status s = status(folder, ec);
  if (ec) return {};
  if (!is_directory(s)) {
    ec = std::make_error_code(std::errc::not_a_directory);
    return {};
  }
  return folder;
}

bool create_directory(const path& p, std::error_code& ec) noexcept {
  ec.clear();
  if (::mkdir(p.c_str(), 0777) == 0) return true;
  const std::error_code failure = LastError();
  if (failure.value() != EEXIST || !is_directory(p, ec)) ec = failure;
  return false;
}

bool create_directories(const path& p, std::error_code& ec) {
  if (p.empty()) {
    ec = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  file_status s = status(p, ec);
  if (is_directory(s) || (ec && !status_known(s))) return false;
  if (exists(s)) {
    ec = std::make_error_code(std::errc::not_a_directory);
    return false;
  }
  // The missing folders, deepest first; "." and ".." name none of their own.
  std::vector<path> missing;
  for (path folder = p.has_filename() ? p : p.parent_path(); !folder.empty();) {
    if (!IsDotOrDotDot(folder.filename().native())) missing.push_back(folder);
    folder = folder.parent_path();
    if (folder.empty()) break;
    s = status(folder, ec);
    if (is_directory(s)) break;
    if (s.type() != file_type::not_found) {
      if (!ec) ec = std::make_error_code(std::errc::not_a_directory);
      return false;
    }
  }
  bool created = false;
  for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
    created = create_directory(*folder, ec);
    if (ec) return false;
  }
  return created;
}

struct directory_iterator::State {
  std::unique_ptr<DIR, int (*)(DIR*)> folder{nullptr, ::closedir};
  path name;
  directory_entry entry;
};

directory_iterator::directory_iterator(const path& folder, std::error_code& ec)
    : state_(std::make_shared<State>()) {
  state_->folder.reset(::opendir(folder.c_str()));
  state_->name = folder;
  if (!state_->folder) {
    ec = LastError();
    state_.reset();
    return;
  }
  increment(ec);
}

directory_iterator& directory_iterator::increment(std::error_code& ec) {
  ec.clear();
  for (;;) {
    errno = 0;
    const dirent* found = ::readdir(state_->folder.get());
    if (!found) {
      if (errno != 0) ec = LastError();
      state_.reset();
      return *this;
    }
    if (!IsDotOrDotDot(found->d_name)) {
      state_->entry.path_ = state_->name / found->d_name;
      return *this;
    }
  }
}

const directory_entry& directory_iterator::operator*() const noexcept { return state_->entry; }

}  // namespace PLANDRA_FS_NAMESPACE

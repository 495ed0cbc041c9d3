// Files a web server sends compressed: the gzip form of their bytes, written
// beside them so the server need not compress on every request.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plandra {

// The bytes in the gzip format at the best compression; the header holds no
// time or name, so equal bytes give an equal file.
std::string GzipCompressed(std::string_view bytes);

// Where a file's precompressed copy is looked for: its name with ".gz".
std::filesystem::path CompressedCopyPath(const std::filesystem::path& file);

}  // namespace plandra

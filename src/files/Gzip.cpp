#include "files/Gzip.h"

#include <zlib.h>

namespace plandra {
namespace {

// zlib writes the gzip wrapper for window bits above 15.
constexpr int kGzipWindowBits = 15 + 16;
constexpr int kMemoryLevel = 9;

}  // namespace

std::string GzipCompressed(std::string_view bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    return {};
  }
  std::string compressed(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
  stream.avail_out = static_cast<uInt>(compressed.size());
  const int status = deflate(&stream, Z_FINISH);
  compressed.resize(stream.total_out);
  deflateEnd(&stream);
  return status == Z_STREAM_END ? compressed : std::string();
}

std::filesystem::path CompressedCopyPath(const std::filesystem::path& file) {
  std::filesystem::path copy = file;
  copy += ".gz";
  return copy;
}

}  // namespace plandra

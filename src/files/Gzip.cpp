#include "files/Gzip.h"

#ifdef __wasi__
#include <algorithm>
#include <array>
#include <cstdint>
#else
#include <zlib.h>
#endif

namespace plandra {
namespace {

#ifdef __wasi__
// The browser build has no zlib: the same format with the bytes stored in
// blocks, not compressed, which every reader of gzip takes.
constexpr size_t kStoredBlock = 65535;

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> made{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      made[n] = c;
    }
    return made;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (char b : bytes) crc = table[(crc ^ static_cast<uint8_t>(b)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string GzipCompressed(std::string_view bytes) {
  std::string out("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10);
  size_t at = 0;
  do {
    const size_t length = std::min(kStoredBlock, bytes.size() - at);
    const bool last = at + length == bytes.size();
    out += static_cast<char>(last ? 1 : 0);
    AppendLittleEndian(out, static_cast<uint32_t>(length), 2);
    AppendLittleEndian(out, static_cast<uint32_t>(~length & 0xFFFF), 2);
    out.append(bytes.substr(at, length));
    at += length;
  } while (at < bytes.size());
  AppendLittleEndian(out, Crc32(bytes), 4);
  AppendLittleEndian(out, static_cast<uint32_t>(bytes.size()), 4);
  return out;
}
#else
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
#endif

std::filesystem::path CompressedCopyPath(const std::filesystem::path& file) {
  std::filesystem::path copy = file;
  copy += ".gz";
  return copy;
}

}  // namespace plandra

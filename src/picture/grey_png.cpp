#include "picture/grey_png.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace orvane::picture {
namespace {

void put_u32(std::string& out, std::uint32_t value) {
  const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
  out.append(bytes, 4);
}

// A chunk: its length, type and data, and the CRC of type and data.
void put_chunk(std::string& out, const char* type, const std::uint8_t* data, std::size_t size) {
  put_u32(out, std::uint32_t(size));
  const std::size_t type_at = out.size();
  out.append(type, 4);
  out.append(reinterpret_cast<const char*>(data), size);
  const auto* crc_from = reinterpret_cast<const Bytef*>(out.data() + type_at);
  put_u32(out, std::uint32_t(crc32_z(0, crc_from, size + 4)));
}

}  // namespace

core::Result<std::string> grey_png(const std::uint8_t* rows, int width, int height,
                                   std::size_t stride) {
  const std::size_t row_bytes = std::size_t(width) + 1;  // the filter byte (0: none) and the row
  std::vector<std::uint8_t> raw(row_bytes * std::size_t(height));
  for (int y = 0; y < height; ++y) {
    std::uint8_t* to = raw.data() + row_bytes * std::size_t(y);
    to[0] = 0;
    std::memcpy(to + 1, rows + stride * std::size_t(y), std::size_t(width));
  }
  uLongf packed_size = compressBound(uLong(raw.size()));
  std::vector<std::uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 0) != Z_OK) {
    return core::Error{"cannot be encoded as PNG (zlib refused the picture's rows)"};
  }

  std::string out("\x89PNG\r\n\x1a\n", 8);
  out.reserve(out.size() + packed_size + 64);
  std::uint8_t header[13] = {};
  for (int i = 0; i < 4; ++i) {
    header[i] = std::uint8_t(std::uint32_t(width) >> (24 - 8 * i));
    header[4 + i] = std::uint8_t(std::uint32_t(height) >> (24 - 8 * i));
  }
  header[8] = 8;  // bits per sample; colour type 0 (grey), deflate, no filter method, no interlace
  put_chunk(out, "IHDR", header, sizeof header);
  put_chunk(out, "IDAT", packed.data(), packed_size);
  put_chunk(out, "IEND", nullptr, 0);
  return out;
}

}  // namespace orvane::picture

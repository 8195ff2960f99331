#include "core/fits_decode.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "core/number_text.h"
#include "core/posix_file.h"
#include "core/vector_clones.h"

namespace orvane::core {
namespace {

// The data unit is read in blocks of this many bytes (a multiple of 1, 2 and 4, so a value
// never straddles two blocks).
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::uint16_t load_be16(const std::uint8_t* p) {
  std::uint16_t u;
  std::memcpy(&u, p, 2);
  if constexpr (std::endian::native == std::endian::little) u = __builtin_bswap16(u);
  return u;
}

std::uint32_t load_be32(const std::uint8_t* p) {
  std::uint32_t u;
  std::memcpy(&u, p, 4);
  if constexpr (std::endian::native == std::endian::little) u = __builtin_bswap32(u);
  return u;
}

// Decoders: one value from its bytes. `limited` counts values that had to be changed to fit
// (only -32 data do that). Integer decoders whose offset cannot overflow are chosen only when
// their results equal the general formula round(bscale * r + offset).
struct U8Plus {
  static constexpr int kBytes = 1;
  std::int32_t offset;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t&) const { return *p + offset; }
};

struct U16Plus {
  static constexpr int kBytes = 2;
  std::int32_t offset;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t&) const {
    return load_be16(p) + offset;
  }
};

// Standard unsigned 16-bit files (BZERO 32768): the raw words are two's complement.
struct I16Plus {
  static constexpr int kBytes = 2;
  std::int32_t offset;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t&) const {
    return static_cast<std::int16_t>(load_be16(p)) + offset;
  }
};

struct I32Plain {
  static constexpr int kBytes = 4;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t&) const {
    return static_cast<std::int32_t>(load_be32(p));
  }
};

struct I32Plus {
  static constexpr int kBytes = 4;
  std::int64_t offset;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t&) const {
    const std::int64_t v = std::int64_t{static_cast<std::int32_t>(load_be32(p))} + offset;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, kInt32Min, kInt32Max));
  }
};

enum class RawKind { kU8, kU16, kI16, kI32 };

// v = round(bscale * r + offset), halves to even, limited to the 32-bit range.
template <RawKind kKind>
struct Scaled {
  static constexpr int kBytes = kKind == RawKind::kU8 ? 1 : kKind == RawKind::kI32 ? 4 : 2;
  double bscale;
  double offset;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t&) const {
    double r;
    if constexpr (kKind == RawKind::kU8) r = *p;
    if constexpr (kKind == RawKind::kU16) r = load_be16(p);
    if constexpr (kKind == RawKind::kI16) r = static_cast<std::int16_t>(load_be16(p));
    if constexpr (kKind == RawKind::kI32) r = static_cast<std::int32_t>(load_be32(p));
    return round_to_i32(bscale * r + offset);
  }
};

// IEEE single precision, rounded halves to even; NaN becomes 0, infinities and values beyond the
// 32-bit range the nearest limit. The cases are told apart on the bits and chosen with masks, so
// the loop has no branches and vectorises.
struct F32 {
  static constexpr int kBytes = 4;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t& limited) const {
    const std::uint32_t bits = load_be32(p);
    const std::uint32_t magnitude = bits & 0x7FFFFFFFu;
    const std::uint32_t sign = bits & 0x80000000u;
    // All-ones masks. 0x4F000000 is 2^31 (only -2^31 itself fits), 0x7F800000 infinity,
    // 0x4B000000 is 2^23, from where on every float is whole.
    const std::uint32_t beyond =
        0u - static_cast<std::uint32_t>((magnitude >= 0x4F000000u) & (bits != 0xCF000000u));
    const std::uint32_t not_a_number = 0u - static_cast<std::uint32_t>(magnitude > 0x7F800000u);
    const std::uint32_t fraction_possible =
        0u - static_cast<std::uint32_t>(magnitude < 0x4B000000u);
    // Adding and taking away 2^23 with the sign of r leaves the nearest integer, halves to even.
    const float r = std::bit_cast<float>(bits & ~beyond);
    const float shift = std::bit_cast<float>(sign | 0x4B000000u);
    const float rounded = (r + shift) - shift;
    const std::uint32_t whole = (std::bit_cast<std::uint32_t>(rounded) & fraction_possible) |
                                (bits & ~beyond & ~fraction_possible);
    // Now within the 32-bit range (or 0 where beyond), so the conversion is exact.
    const auto converted =
        static_cast<std::uint32_t>(static_cast<std::int32_t>(std::bit_cast<float>(whole)));
    const std::uint32_t limit = 0x7FFFFFFFu + (sign >> 31);  // the largest, or the smallest int
    limited += static_cast<std::int32_t>(beyond & 1u);
    return static_cast<std::int32_t>((converted & ~beyond) | (limit & beyond & ~not_a_number));
  }
};

// The Calculation window's read-time addition (mode 0) or multiplication, after decoding.
template <typename Decode>
struct WithCalculation {
  static constexpr int kBytes = Decode::kBytes;
  Decode decode;
  int mode;
  double operand;
  std::int32_t operator()(const std::uint8_t* p, std::int32_t& limited) const {
    const double v = decode(p, limited);
    return round_to_i32(mode == 0 ? v + operand : v * operand);
  }
};

// Where the next value goes: x and y in the destination, rows width long.
struct Cursor {
  PixelDestination to;
  int width;
  int x = 0;
  int y = 0;
};

// Stores count values from src, row by row, tracking the extremes in the same pass. With dusky
// mode values of 60000 and more never become the maximum.
template <bool kDusky, typename Decode>
ORVANE_VECTOR_CLONES void store_values(const std::uint8_t* src, std::size_t count,
                                       const Decode& decode, Cursor& cursor,
                                       FitsExtremes& extremes) {
  while (count > 0) {
    const std::size_t n = std::min<std::size_t>(count, cursor.width - cursor.x);
    std::int32_t* dst = cursor.to.base + cursor.to.stride * cursor.y + cursor.x;
    std::int32_t max_value = extremes.max_value;
    std::int32_t min_value = extremes.min_value;
    std::int32_t limited = 0;  // at most one row's worth
    for (std::size_t i = 0; i < n; ++i) {
      const std::int32_t v = decode(src + i * Decode::kBytes, limited);
      dst[i] = v;
      min_value = std::min(min_value, v);
      if constexpr (kDusky) {
        max_value = std::max(max_value, dusky_max_candidate(v));
      } else {
        max_value = std::max(max_value, v);
      }
    }
    extremes.max_value = max_value;
    extremes.min_value = min_value;
    extremes.limited += limited;
    src += n * Decode::kBytes;
    count -= n;
    cursor.x += static_cast<int>(n);
    if (cursor.x == cursor.width) cursor.x = 0, ++cursor.y;
  }
}

// Reads the data unit block by block and decodes it into the frame's pixels.
template <typename Decode>
Result<FitsExtremes> decode_data(const FitsDataUnit& data, const Decode& decode, bool dusky,
                                 PixelDestination to, int width) {
  const std::size_t total = data.values * Decode::kBytes;
  Cursor cursor{to, width};
  FitsExtremes extremes;
  if (data.memory != nullptr) {
    if (dusky) {
      store_values<true>(data.memory, data.values, decode, cursor, extremes);
    } else {
      store_values<false>(data.memory, data.values, decode, cursor, extremes);
    }
    return extremes;
  }
  const std::size_t block = std::min(total, kBlockBytes);
  std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[block]);
  for (std::size_t done = 0; done < total;) {
    const std::size_t size = std::min(block, total - done);
    const off_t at = data.offset + static_cast<off_t>(done);
    if (const int error = read_at(data.fd, at, buffer.get(), size); error != 0) {
      return Error{read_error_message(data.path, error)};
    }
    if (dusky) {
      store_values<true>(buffer.get(), size / Decode::kBytes, decode, cursor, extremes);
    } else {
      store_values<false>(buffer.get(), size / Decode::kBytes, decode, cursor, extremes);
    }
    done += size;
  }
  return extremes;
}

template <typename Decode>
Result<FitsExtremes> decode_with_calculation(const FitsDataUnit& data, const Decode& decode,
                                             const FitsTarget& target) {
  const ReadOptions& o = target.options;
  if (!read_calculation_active(o)) {
    return decode_data(data, decode, o.dusky_mode, target.to, target.width);
  }
  const WithCalculation<Decode> calculated{decode, o.read_calc_mode, o.read_calc_operand};
  return decode_data(data, calculated, o.dusky_mode, target.to, target.width);
}

// A whole number in [low, high], or false.
bool whole_in(double value, double low, double high) {
  return value >= low && value <= high && value == std::floor(value);
}

}  // namespace

// Chooses the decoder for the file's BITPIX and scaling: integer arithmetic where it gives the
// same values as the general formula, the general formula otherwise.
Result<FitsExtremes> decode_pixels(const FitsDataUnit& data, const FitsHeader& header,
                                   const FitsTarget& target) {
  if (header.is_float) return decode_with_calculation(data, F32{}, target);
  const double bscale = header.values.bscale;
  const double offset = header.values.bzero * target.options.sign_mode;
  const bool unit_scale = bscale == 1;
  switch (header.bitpix) {
    case 8:
      if (unit_scale && whole_in(offset, kInt32Min, kInt32Max - 255.0)) {
        return decode_with_calculation(data, U8Plus{static_cast<std::int32_t>(offset)}, target);
      }
      return decode_with_calculation(data, Scaled<RawKind::kU8>{bscale, offset}, target);
    case 16:
      // Cameras write unsigned 16-bit data as two's complement words with BZERO 32768.
      if (unit_scale && header.values.bzero == 32768 && target.options.sign_mode == 1) {
        return decode_with_calculation(data, I16Plus{32768}, target);
      }
      if (unit_scale && whole_in(offset, kInt32Min, kInt32Max - 65535.0)) {
        return decode_with_calculation(data, U16Plus{static_cast<std::int32_t>(offset)}, target);
      }
      return decode_with_calculation(data, Scaled<RawKind::kU16>{bscale, offset}, target);
    default:
      if (unit_scale && offset == 0) return decode_with_calculation(data, I32Plain{}, target);
      if (unit_scale && whole_in(offset, -4294967296.0, 4294967296.0)) {
        return decode_with_calculation(data, I32Plus{static_cast<std::int64_t>(offset)}, target);
      }
      return decode_with_calculation(data, Scaled<RawKind::kI32>{bscale, offset}, target);
  }
}

}  // namespace orvane::core

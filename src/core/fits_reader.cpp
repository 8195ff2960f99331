#include "core/fits_reader.h"

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "core/number_text.h"
#include "core/posix_file.h"
#include "core/vector_clones.h"

namespace orvane::core {
namespace {

constexpr int kCardLength = 80;
constexpr int kCardsPerBlock = 36;
// The last card that may hold END: 468 = 13 blocks, the most that fits the 500 header slots.
constexpr int kLastEndCard = 468;
constexpr int kMaxSide = PixelStore::kSide;
// The data unit is read in blocks of this many bytes (a multiple of 1, 2 and 4, so a value
// never straddles two blocks).
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The keyword values the reader uses; the last card with a keyword wins.
struct HeaderValues {
  bool has_bitpix = false, has_naxis1 = false, has_naxis2 = false, has_naxis3 = false;
  double bitpix = -1, naxis1 = -1, naxis2 = -1, naxis3 = -1, bzero = 0, bscale = 1;
};

HeaderValues scan_keywords(const std::vector<std::string>& cards) {
  HeaderValues h;
  for (const std::string& card : cards) {
    const std::string_view keyword = std::string_view(card).substr(0, 8);
    const auto value = [&card] { return val(std::string_view(card).substr(9, 21)); };
    if (keyword == "BITPIX  ") {
      h.has_bitpix = true, h.bitpix = value();
    } else if (keyword == "NAXIS1  ") {
      h.has_naxis1 = true, h.naxis1 = value();
    } else if (keyword == "NAXIS2  ") {
      h.has_naxis2 = true, h.naxis2 = value();
    } else if (keyword == "NAXIS3  ") {
      h.has_naxis3 = true, h.naxis3 = value();
    } else if (keyword == "BZERO   ") {
      h.bzero = value();
    } else if (keyword == "BSCALE  ") {
      h.bscale = value();
    }
  }
  return h;
}

// A header that passed every check, with the sizes the data unit needs.
struct Header {
  std::vector<std::string> cards;  // cards 1 .. END, 80 characters each
  int card_count = 0;              // END card number rounded up to a multiple of 36
  HeaderValues values;
  int bitpix = 0;  // 8, 16 or 32
  bool is_float = false;
  int width = 0;
  int height = 0;
};

Status check_side(const std::string& path, const char* keyword, double value) {
  if (value >= 1 && value <= kMaxSide && value == std::floor(value)) return ok_status();
  return Error{path + keyword + " error : " + keyword + " =" + str(value) +
               " is not a whole number from 1 to 5501"};
}

// Reads the cards up to END and checks the keywords, in the order the messages are given.
Result<Header> read_header(int fd, const std::string& path, off_t file_size) {
  const std::size_t cards_there =
      std::min<std::size_t>(kLastEndCard, static_cast<std::size_t>(file_size) / kCardLength);
  std::vector<std::uint8_t> bytes(cards_there * kCardLength);
  if (const int error = read_at(fd, 0, bytes.data(), bytes.size()); error != 0) {
    return Error{read_error_message(path, error)};
  }
  Header header;
  for (std::size_t i = 0; i < cards_there; ++i) {
    const char* card = reinterpret_cast<const char*>(bytes.data()) + i * kCardLength;
    header.cards.emplace_back(card, kCardLength);
    if (std::memcmp(card, "END     ", 8) == 0) break;
  }
  if (header.cards.empty() || header.cards.back().compare(0, 8, "END     ") != 0) {
    return Error{path + ": no END card in the first 468 header cards"};
  }
  const int end_card = static_cast<int>(header.cards.size());
  header.card_count = (end_card + kCardsPerBlock - 1) / kCardsPerBlock * kCardsPerBlock;

  const HeaderValues& h = header.values = scan_keywords(header.cards);
  if (!h.has_bitpix) return Error{path + "BITPIX error"};
  const double bitpix = std::fabs(h.bitpix);
  if (bitpix != 8 && bitpix != 16 && bitpix != 32) {
    return Error{path + "BITPIX error : BITPIX =" + str(bitpix)};
  }
  if (!h.has_naxis1) return Error{path + "NAXIS1 error"};
  if (!h.has_naxis2) return Error{path + "NAXIS2 error"};
  if (Status s = check_side(path, "NAXIS1", h.naxis1); !s) return Error{s.error()};
  if (Status s = check_side(path, "NAXIS2", h.naxis2); !s) return Error{s.error()};

  header.bitpix = static_cast<int>(bitpix);
  header.is_float = h.bitpix == -32;
  header.width = static_cast<int>(h.naxis1);
  header.height = static_cast<int>(h.naxis2);
  return header;
}

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

struct Extremes {
  std::int32_t max_value = -1;
  std::int32_t min_value = kInt32Max;
  std::int64_t limited = 0;
};

// Where the values go: row y starts at base + y * stride.
struct Destination {
  std::int32_t* base;
  std::size_t stride;
};

// Where the next value goes: x and y in the destination, rows width long.
struct Cursor {
  Destination to;
  int width;
  int x = 0;
  int y = 0;
};

// Stores count values from src, row by row, tracking the extremes in the same pass. With dusky
// mode values of 60000 and more never become the maximum.
template <bool kDusky, typename Decode>
ORVANE_VECTOR_CLONES void store_values(const std::uint8_t* src, std::size_t count,
                                       const Decode& decode, Cursor& cursor, Extremes& extremes) {
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

// The data unit: read from the file block by block, or already in memory.
struct DataUnit {
  int fd;
  off_t offset;
  std::size_t values;
  const std::string& path;
  const std::uint8_t* memory = nullptr;
};

// Reads the data unit block by block and decodes it into the frame's pixels.
template <typename Decode>
Result<Extremes> decode_data(const DataUnit& data, const Decode& decode, bool dusky, Destination to,
                             int width) {
  const std::size_t total = data.values * Decode::kBytes;
  Cursor cursor{to, width};
  Extremes extremes;
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

// Where the decoded values go and how they are read.
struct Target {
  Destination to;
  int width;
  const ReadOptions& options;
};

template <typename Decode>
Result<Extremes> decode_with_calculation(const DataUnit& data, const Decode& decode,
                                         const Target& target) {
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

// Chooses the decoder for the file's BITPIX and scaling: integer arithmetic where it gives the
// same values as the general formula, the general formula otherwise.
Result<Extremes> decode_pixels(const DataUnit& data, const Header& header, const Target& target) {
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

// The header's fields as a read sets them; cards as read, then blank cards up to the block end.
template <typename Fields>
void commit_fields(Fields& fields, const Header& header) {
  const HeaderValues& h = header.values;
  fields.width = header.width;
  fields.height = header.height;
  fields.planes = h.has_naxis3 ? round_to_i32(h.naxis3) : -1;
  fields.bitpix = header.bitpix;
  fields.is_float = header.is_float ? 1 : 0;
  fields.bzero = h.bzero;
  fields.bscale = h.bscale;
  fields.header_card_count = header.card_count;
}

void commit_header(ImageFrame& frame, Header& header, const std::string& path) {
  commit_fields(frame, header);
  const int end_card = static_cast<int>(header.cards.size());
  for (int i = 1; i <= ImageFrame::kHeaderSlots; ++i) {
    if (i <= end_card) {
      frame.header_cards[i] = std::move(header.cards[i - 1]);
    } else if (i <= header.card_count) {
      frame.header_cards[i].assign(kCardLength, ' ');
    } else {
      frame.header_cards[i].clear();
    }
  }
  frame.file_path = path;
  frame.undo_available = false;
}

// An open file whose header passed every check, and where its data unit lies.
struct OpenedFile {
  FileDescriptor file;
  Header header;
  off_t data_offset = 0;
  std::size_t values = 0;  // width x height: only the first plane is read
};

Result<OpenedFile> open_fits(const std::string& path) {
  OpenedFile opened;
  opened.file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  const int fd = opened.file.get();
  if (fd < 0) return Error{open_error_message(path, errno)};
  struct stat status {};
  if (::fstat(fd, &status) != 0) return Error{read_error_message(path, errno)};
  if (!S_ISREG(status.st_mode)) return Error{path + ": is not a file"};

  Result<Header> header = read_header(fd, path, status.st_size);
  if (!header) return Error{header.error()};
  opened.header = std::move(*header);
  const int bytes_per_value = opened.header.bitpix / 8;
  opened.values = std::size_t(opened.header.width) * std::size_t(opened.header.height);
  opened.data_offset = off_t{opened.header.card_count} * kCardLength;
  const std::uint64_t needed = std::uint64_t(opened.data_offset) + opened.values * bytes_per_value;
  if (std::uint64_t(status.st_size) < needed) {
    return Error{path + ": the data unit is shorter than the header says (" +
                 str_trimmed(double(needed)) + " bytes needed, the file has " +
                 str_trimmed(double(status.st_size)) + ")"};
  }
  return opened;
}

ReadReport report_of(const std::string& path, const Extremes& extremes) {
  ReadReport report;
  report.values_limited = extremes.limited;
  if (report.values_limited > 0) {
    report.warning = path + ": " + str_trimmed(double(report.values_limited)) +
                     (report.values_limited == 1 ? " value was" : " values were") +
                     " not finite or beyond the 32-bit range and were limited";
  }
  return report;
}

}  // namespace

struct FitsLoaded {
  Header header;
  std::size_t values = 0;
  std::vector<std::uint8_t> data;  // the first plane's bytes as the file holds them
};

ReadOptions read_options_of(const ImageFrame& frame) {
  return ReadOptions{frame.sign_mode, frame.read_calc_mode, frame.read_calc_operand,
                     frame.dusky_mode};
}

ReadOptions without_calculation(ReadOptions options) {
  options.read_calc_mode = 0;
  options.read_calc_operand = 0;
  return options;
}

bool read_calculation_active(const ReadOptions& options) {
  return options.read_calc_mode == 0 ? options.read_calc_operand != 0
                                     : options.read_calc_operand != 1;
}

std::string read_calculation_text(const ReadOptions& options) {
  if (!read_calculation_active(options)) return "";
  const std::string operand = str_trimmed(options.read_calc_operand);
  if (options.read_calc_mode == 0) {
    return "Read-time calculation on: " + operand + " is added to every value read";
  }
  return "Read-time calculation on: every value read is multiplied by " + operand;
}

Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path,
                             const ReadOptions& options) {
  Result<OpenedFile> opened = open_fits(path);
  if (!opened) return Error{opened.error()};
  std::int32_t* pixels = nullptr;
  try {
    pixels = frame.pixels.data();
  } catch (const std::bad_alloc&) {
    return Error{path + ": not enough memory for the image"};
  }

  // From here on the pixels change. A read error now (the file shrank or the disk failed) is
  // reported with the frame's other fields untouched.
  const DataUnit data{opened->file.get(), opened->data_offset, opened->values, path};
  const Target target{{pixels, PixelStore::kSide}, opened->header.width, options};
  Result<Extremes> extremes = decode_pixels(data, opened->header, target);
  if (!extremes) return Error{extremes.error()};

  commit_header(frame, opened->header, path);
  frame.max_value = extremes->max_value;
  frame.min_value = extremes->min_value;
  return report_of(path, *extremes);
}

Status fits_load(const std::string& path, FitsBytes& bytes) {
  Result<OpenedFile> opened = open_fits(path);
  if (!opened) return Error{opened.error()};
  if (!bytes.loaded || bytes.loaded.use_count() > 1) bytes.loaded = std::make_shared<FitsLoaded>();
  FitsLoaded& loaded = *bytes.loaded;
  bytes.path = path;
  loaded.values = opened->values;
  try {
    loaded.data.resize(opened->values * std::size_t(opened->header.bitpix / 8));
  } catch (const std::bad_alloc&) {
    bytes.loaded.reset();
    return Error{path + ": not enough memory for the image"};
  }
  if (const int error =
          read_at(opened->file.get(), opened->data_offset, loaded.data.data(), loaded.data.size());
      error != 0) {
    bytes.loaded.reset();
    return Error{read_error_message(path, error)};
  }
  loaded.header = std::move(opened->header);
  return ok_status();
}

Result<FitsBytes> fits_load(const std::string& path) {
  FitsBytes bytes;
  if (Status loaded = fits_load(path, bytes); !loaded) return Error{loaded.error()};
  return bytes;
}

Result<ReadReport> fits_read(ImageFrame& frame, const FitsBytes& bytes,
                             const ReadOptions& options) {
  std::int32_t* pixels = nullptr;
  try {
    pixels = frame.pixels.data();
  } catch (const std::bad_alloc&) {
    return Error{bytes.path + ": not enough memory for the image"};
  }
  const FitsLoaded& loaded = *bytes.loaded;
  const DataUnit data{-1, 0, loaded.values, bytes.path, loaded.data.data()};
  const Target target{{pixels, PixelStore::kSide}, loaded.header.width, options};
  Result<Extremes> extremes = decode_pixels(data, loaded.header, target);
  if (!extremes) return Error{extremes.error()};
  Header header = loaded.header;  // the cards are taken into the frame
  commit_header(frame, header, bytes.path);
  frame.max_value = extremes->max_value;
  frame.min_value = extremes->min_value;
  return report_of(bytes.path, *extremes);
}

Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path) {
  return fits_read(frame, path, read_options_of(frame));
}

Result<ReadReport> fits_read_image(FitsImage& image, const std::string& path,
                                   const ReadOptions& options) {
  Result<OpenedFile> opened = open_fits(path);
  if (!opened) return Error{opened.error()};
  // The image's old buffer is taken over, so a series of frames of one size allocates nothing.
  std::vector<std::int32_t> pixels;
  try {
    pixels.swap(image.pixels);
    pixels.resize(opened->values);
  } catch (const std::bad_alloc&) {
    pixels.swap(image.pixels);
    return Error{path + ": not enough memory for the image"};
  }
  const DataUnit data{opened->file.get(), opened->data_offset, opened->values, path};
  const Target target{
      {pixels.data(), std::size_t(opened->header.width)}, opened->header.width, options};
  Result<Extremes> extremes = decode_pixels(data, opened->header, target);
  if (!extremes) {
    image = FitsImage{};  // its old pixels were partly overwritten
    return Error{extremes.error()};
  }

  Header& header = opened->header;
  commit_fields(image, header);
  header.cards.resize(header.card_count, std::string(kCardLength, ' '));
  image.header_cards = std::move(header.cards);
  image.pixels.swap(pixels);
  image.path = path;
  image.max_value = extremes->max_value;
  image.min_value = extremes->min_value;
  return report_of(path, *extremes);
}

void frame_header_from_image(ImageFrame& frame, const FitsImage& image) {
  frame.width = image.width;
  frame.height = image.height;
  frame.planes = image.planes;
  frame.bitpix = image.bitpix;
  frame.is_float = image.is_float;
  frame.bzero = image.bzero;
  frame.bscale = image.bscale;
  const int count = std::min<int>(image.header_card_count, ImageFrame::kHeaderSlots);
  for (int i = 1; i <= ImageFrame::kHeaderSlots; ++i) {
    if (i <= count) {
      frame.header_cards[i] = image.header_cards[i - 1];
    } else {
      frame.header_cards[i].clear();
    }
  }
  frame.header_card_count = count;
  frame.file_path = image.path;
  frame.undo_available = false;
}

bool is_fits_name(std::string_view name) {
  const auto ends_with = [name](std::string_view extension) {
    if (name.size() < extension.size()) return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
      return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
  };
  return ends_with(".fit") || ends_with(".fts") || ends_with(".fits");
}

Status fits_signature(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return ok_status();  // the reader says why it cannot be opened
  char start[9] = {};
  const std::size_t got = std::fread(start, 1, sizeof start, file);
  std::fclose(file);
  if (got == sizeof start && std::string_view(start, sizeof start) == "SIMPLE  =") {
    return ok_status();
  }
  return Error{path + ": not a FITS file (it does not begin with a SIMPLE card)"};
}

}  // namespace orvane::core

#include "core/fits_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/atomic_file.h"
#include "core/number_text.h"
#include "core/vector_clones.h"

namespace orvane::core {
namespace {

constexpr int kCardLength = 80;
constexpr int kCardsPerBlock = 36;
constexpr std::size_t kFitsBlock = 2880;
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

// A card "KEYWORD = value" with the value right-aligned to column 30, 80 characters long.
std::string value_card(std::string_view keyword, const std::string& value) {
  std::string card(keyword);
  card.resize(8, ' ');
  card += '=';
  if (value.size() < 21) card.append(21 - value.size(), ' ');
  card += value;
  card.resize(kCardLength, ' ');
  return card;
}

std::string whole(std::int64_t value) {
  return str_trimmed(static_cast<double>(value));
}

bool has_keyword(const std::string& card, std::string_view keyword) {
  return std::string_view(card).substr(0, 8) == keyword;
}

// What is written: header cards and rows of pixels, from the frame or from an image of its own.
struct WriteSource {
  const std::string* cards;  // the first card
  int card_count;
  const std::int32_t* pixels;  // row 0
  std::size_t stride;          // elements from one row to the next
  int width;
  int height;

  const std::int32_t* row(int y) const { return pixels + stride * std::size_t(y); }
};

// Values outside the range of the file's BITPIX, and whether 16-bit data need BZERO 32768.
struct ClipCount {
  std::int64_t raised = 0;
  std::int64_t lowered = 0;
  bool above_32767 = false;
};

ORVANE_VECTOR_CLONES ClipCount count_clipping(const WriteSource& source, std::int32_t maximum) {
  ClipCount count;
  std::int32_t largest = 0;
  for (int y = 0; y < source.height; ++y) {
    const std::int32_t* row = source.row(y);
    std::int32_t raised = 0, lowered = 0;  // at most one row's worth: 32 bits vectorise better
    for (int x = 0; x < source.width; ++x) {
      raised += row[x] < 0 ? 1 : 0;
      lowered += row[x] > maximum ? 1 : 0;
      largest = std::max(largest, row[x]);
    }
    count.raised += raised;
    count.lowered += lowered;
  }
  count.above_32767 = largest > 32767;
  return count;
}

// The header as written: the frame's cards with BZERO 0 (or 32768), BSCALE 1 and the BITPIX
// being written. NAXIS1 and NAXIS2 are corrected where they no longer match the frame, and a
// frame read from a file with several planes is written with NAXIS3 = 1, so the file is standard.
Result<std::vector<std::string>> build_header(const WriteSource& source, const std::string& path,
                                              int bitpix, bool bzero_32768) {
  const std::string bzero_card = value_card("BZERO", bzero_32768 ? "32768" : "0");
  std::vector<std::string> cards;
  bool has_bzero = false;
  int end_index = -1;
  for (int i = 0; i < source.card_count; ++i) {
    std::string card = source.cards[i];
    card.resize(kCardLength, ' ');
    if (has_keyword(card, "BZERO   ")) {
      card = bzero_card, has_bzero = true;
    } else if (has_keyword(card, "BSCALE  ")) {
      card = value_card("BSCALE", "1");
    } else if (has_keyword(card, "BITPIX  ")) {
      card = value_card("BITPIX", whole(bitpix));
    } else if (has_keyword(card, "NAXIS1  ") && val(card.substr(9, 21)) != source.width) {
      card = value_card("NAXIS1", whole(source.width));
    } else if (has_keyword(card, "NAXIS2  ") && val(card.substr(9, 21)) != source.height) {
      card = value_card("NAXIS2", whole(source.height));
    } else if (has_keyword(card, "NAXIS3  ") && val(card.substr(9, 21)) != 1) {
      card = value_card("NAXIS3", "1");
    } else if (end_index < 0 && has_keyword(card, "END     ")) {
      end_index = static_cast<int>(cards.size());
    }
    cards.push_back(std::move(card));
  }
  if (bzero_32768 && !has_bzero) {
    if (end_index < 0) return Error{path + ": the header has no END card"};
    // The BZERO card goes just before END; the blank cards after END give way to it, and the
    // header grows by a block when END was the last card of one.
    cards.insert(cards.begin() + end_index, bzero_card);
    cards.resize(end_index + 2);
  }
  const std::size_t blocks = (cards.size() + kCardsPerBlock - 1) / kCardsPerBlock;
  cards.resize(blocks * kCardsPerBlock, std::string(kCardLength, ' '));
  if (cards.size() > ImageFrame::kHeaderSlots) {
    return Error{path + ": the header would need more than 500 cards"};
  }
  return cards;
}

void store_be16(std::uint8_t* p, std::uint16_t u) {
  if constexpr (std::endian::native == std::endian::little) u = __builtin_bswap16(u);
  std::memcpy(p, &u, 2);
}

void store_be32(std::uint8_t* p, std::uint32_t u) {
  if constexpr (std::endian::native == std::endian::little) u = __builtin_bswap32(u);
  std::memcpy(p, &u, 4);
}

// Encodes one row of values, clipped to the file's range, as big-endian bytes.
ORVANE_VECTOR_CLONES void encode_row(const std::int32_t* row, int width, int bitpix,
                                     bool bzero_32768, std::uint8_t* out) {
  switch (bitpix) {
    case 8:
      for (int x = 0; x < width; ++x)
        out[x] = static_cast<std::uint8_t>(std::clamp(row[x], 0, 255));
      break;
    case 16: {
      // With BZERO 32768 the word is v - 32768 in two's complement, which is v with the top bit
      // turned over.
      const std::uint16_t flip = bzero_32768 ? 0x8000 : 0;
      for (int x = 0; x < width; ++x) {
        store_be16(out + 2 * x, static_cast<std::uint16_t>(std::clamp(row[x], 0, 65535)) ^ flip);
      }
      break;
    }
    default:
      for (int x = 0; x < width; ++x) store_be32(out + 4 * x, static_cast<std::uint32_t>(row[x]));
  }
}

Status write_data(AtomicFileWriter& file, const WriteSource& source, int bitpix, bool bzero_32768) {
  const std::size_t row_bytes = std::size_t(source.width) * (bitpix / 8);
  std::vector<std::uint8_t> buffer(std::max(kBufferBytes, row_bytes));
  std::size_t used = 0;
  for (int y = 0; y < source.height; ++y) {
    if (used + row_bytes > buffer.size()) {
      if (Status s = file.write(buffer.data(), used); !s) return s;
      used = 0;
    }
    encode_row(source.row(y), source.width, bitpix, bzero_32768, buffer.data() + used);
    used += row_bytes;
  }
  // Zero bytes up to a whole 2880-byte block, as standard readers expect.
  const std::size_t data_bytes = row_bytes * std::size_t(source.height);
  const std::size_t padding = (kFitsBlock - data_bytes % kFitsBlock) % kFitsBlock;
  if (used + padding > buffer.size()) {
    if (Status s = file.write(buffer.data(), used); !s) return s;
    used = 0;
  }
  std::fill_n(buffer.data() + used, padding, std::uint8_t{0});
  return file.write(buffer.data(), used + padding);
}

Status check_bitpix(const std::string& path, int bitpix) {
  if (bitpix == 8 || bitpix == 16 || bitpix == 32) return ok_status();
  return Error{path + ": BITPIX" + str(bitpix) + " cannot be written (8, 16 or 32 only)"};
}

Result<WriteReport> write_source(const WriteSource& source, const std::string& path, int bitpix) {
  WriteReport report;
  report.max_written = bitpix == 8 ? 255 : bitpix == 16 ? 65535 : 2147483647;
  bool bzero_32768 = false;
  if (bitpix != 32) {
    const ClipCount clip = count_clipping(source, report.max_written);
    report.raised_to_zero = clip.raised;
    report.lowered_to_max = clip.lowered;
    // Values above 32767 are written with BZERO 32768 so other programs read them as they are.
    bzero_32768 = bitpix == 16 && clip.above_32767;
  }
  Result<std::vector<std::string>> header = build_header(source, path, bitpix, bzero_32768);
  if (!header) return Error{header.error()};

  AtomicFileWriter file(path);
  if (Status s = file.open(); !s) return Error{s.error()};
  std::string header_bytes;
  for (const std::string& card : *header) header_bytes += card;
  if (Status s = file.write(header_bytes.data(), header_bytes.size()); !s) return Error{s.error()};
  if (Status s = write_data(file, source, bitpix, bzero_32768); !s) return Error{s.error()};
  if (Status s = file.commit(); !s) return Error{s.error()};
  return report;
}

}  // namespace

std::string clip_message(const std::string& path, const WriteReport& report) {
  const auto values = [](std::int64_t n) { return whole(n) + (n == 1 ? " value" : " values"); };
  if (report.raised_to_zero > 0 && report.lowered_to_max > 0) {
    return path + ": " + values(report.raised_to_zero) + " raised to 0, " +
           whole(report.lowered_to_max) + " lowered to " + whole(report.max_written);
  }
  if (report.raised_to_zero > 0)
    return path + ": " + values(report.raised_to_zero) + " raised to 0";
  if (report.lowered_to_max > 0) {
    return path + ": " + values(report.lowered_to_max) + " lowered to " + whole(report.max_written);
  }
  return "";
}

Result<WriteReport> fits_write(const ImageFrame& frame, const std::string& path, int bitpix) {
  if (Status s = check_bitpix(path, bitpix); !s) return Error{s.error()};
  if (frame.header_card_count <= 0 || frame.header_card_count > ImageFrame::kHeaderSlots ||
      !frame.has_image() || frame.width > ImageFrame::kMaxSide ||
      frame.height > ImageFrame::kMaxSide) {
    return Error{path + ": there is no image to save (no FITS file has been read)"};
  }
  return write_source({&frame.header_cards[1], frame.header_card_count, frame.pixels.data(),
                       std::size_t{ImageFrame::kMaxSide}, frame.width, frame.height},
                      path, bitpix);
}

Result<WriteReport> fits_write(const FitsImage& image, const std::string& path, int bitpix) {
  if (Status s = check_bitpix(path, bitpix); !s) return Error{s.error()};
  if (image.header_card_count <= 0 || image.header_card_count > ImageFrame::kHeaderSlots ||
      std::size_t(image.header_card_count) > image.header_cards.size() || image.width <= 0 ||
      image.height <= 0 || image.pixels.size() < std::size_t(image.width) * image.height) {
    return Error{path + ": there is no image to save"};
  }
  return write_source({image.header_cards.data(), image.header_card_count, image.pixels.data(),
                       std::size_t(image.width), image.width, image.height},
                      path, bitpix);
}

}  // namespace orvane::core

#include "sample_night/fits_file.h"

#include <charconv>
#include <string_view>

namespace orvane::sample_night {
namespace {

constexpr std::size_t kCardSize = 80;
constexpr std::size_t kBlockSize = 2880;

// Keyword in columns 1-8, "= " in columns 9-10.
std::string card_start(std::string_view keyword) {
  std::string card(keyword);
  card.resize(8, ' ');
  return card + "= ";
}

// Columns 31 onwards: the comment after " / ", then blanks to column 80.
std::string card_finish(std::string card, std::string_view comment) {
  if (!comment.empty()) card += std::string(" / ") + std::string(comment);
  card.resize(kCardSize, ' ');
  return card;
}

// Fixed-format value: right-aligned to column 30.
std::string value_card(std::string_view keyword, std::string_view value, std::string_view comment) {
  std::string card = card_start(keyword);
  card += std::string(20 - value.size(), ' ');
  card += value;
  return card_finish(card, comment);
}

std::string number_card(std::string_view keyword, long long value, std::string_view comment) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return value_card(keyword, std::string_view(text, result.ptr - text), comment);
}

// String value from column 11 in quotes, padded inside the quotes to at least 8 characters.
std::string text_card(std::string_view keyword, std::string value, std::string_view comment) {
  if (value.size() < 8) value.resize(8, ' ');
  return card_finish(card_start(keyword) + "'" + value + "'", comment);
}

void pad_to_block(std::vector<char>& bytes, char fill) {
  const std::size_t rest = bytes.size() % kBlockSize;
  if (rest != 0) bytes.insert(bytes.end(), kBlockSize - rest, fill);
}

}  // namespace

std::vector<char> fits_bytes(const FrameHeader& header, const std::vector<std::uint16_t>& pixels) {
  const std::string cards[] = {
      value_card("SIMPLE", "T", "standard FITS"),
      number_card("BITPIX", 16, "16-bit integers"),
      number_card("NAXIS", 2, ""),
      number_card("NAXIS1", header.width, "columns"),
      number_card("NAXIS2", header.height, "rows"),
      number_card("BZERO", 32768, "value = stored + 32768"),
      number_card("BSCALE", 1, ""),
      text_card("DATE-OBS", header.date, "UT date of exposure start"),
      text_card("UT", header.time, "UT time of exposure start"),
      number_card("EXPTIME", header.exposure, "seconds"),
      text_card("OBJECT", header.object, ""),
      text_card("OBJCTRA", header.ra, "pointing right ascension J2000"),
      text_card("OBJCTDEC", header.dec, "pointing declination J2000"),
      text_card("SITELAT", header.latitude, "site latitude, north positive"),
      text_card("SITELONG", header.longitude, "site longitude, east positive"),
      card_finish("END", ""),
  };
  std::vector<char> bytes;
  bytes.reserve(kBlockSize + pixels.size() * 2 + kBlockSize);
  for (const std::string& card : cards) bytes.insert(bytes.end(), card.begin(), card.end());
  pad_to_block(bytes, ' ');
  for (const std::uint16_t value : pixels) {
    // value - 32768 in two's complement is the value with its top bit flipped.
    const std::uint16_t stored = value ^ 0x8000u;
    bytes.push_back(static_cast<char>(stored >> 8));
    bytes.push_back(static_cast<char>(stored & 0xFFu));
  }
  pad_to_block(bytes, '\0');
  return bytes;
}

}  // namespace orvane::sample_night

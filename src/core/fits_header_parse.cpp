#include "core/fits_header_parse.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "core/number_text.h"
#include "core/pixel_store.h"

namespace orvane::core {
namespace {

constexpr int kMaxSide = PixelStore::kSide;

FitsHeaderValues scan_keywords(const std::vector<std::string>& cards) {
  FitsHeaderValues h;
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

Status check_side(const std::string& path, const char* keyword, double value) {
  if (value >= 1 && value <= kMaxSide && value == std::floor(value)) return ok_status();
  return Error{path + keyword + " error : " + keyword + " =" + str(value) +
               " is not a whole number from 1 to 5501"};
}

}  // namespace

std::size_t fits_header_span(std::uint64_t file_size) {
  const std::uint64_t cards =
      std::min<std::uint64_t>(kFitsLastEndCard, file_size / kFitsCardLength);
  return static_cast<std::size_t>(cards) * kFitsCardLength;
}

Result<FitsHeader> parse_fits_header(std::span<const std::uint8_t> bytes, const std::string& path) {
  const std::size_t cards_there = fits_header_span(bytes.size()) / kFitsCardLength;
  FitsHeader header;
  for (std::size_t i = 0; i < cards_there; ++i) {
    const char* card = reinterpret_cast<const char*>(bytes.data()) + i * kFitsCardLength;
    header.cards.emplace_back(card, kFitsCardLength);
    if (std::memcmp(card, "END     ", 8) == 0) break;
  }
  if (header.cards.empty() || header.cards.back().compare(0, 8, "END     ") != 0) {
    return Error{path + ": no END card in the first 468 header cards"};
  }
  const int end_card = static_cast<int>(header.cards.size());
  header.card_count = (end_card + kFitsCardsPerBlock - 1) / kFitsCardsPerBlock * kFitsCardsPerBlock;

  const FitsHeaderValues& h = header.values = scan_keywords(header.cards);
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

Result<FitsDataPlace> fits_data_place(const FitsHeader& header, const std::string& path,
                                      std::uint64_t file_size) {
  FitsDataPlace place;
  const int bytes_per_value = header.bitpix / 8;
  place.values = std::size_t(header.width) * std::size_t(header.height);
  place.offset = std::uint64_t(header.card_count) * kFitsCardLength;
  const std::uint64_t needed = place.offset + place.values * std::size_t(bytes_per_value);
  if (file_size < needed) {
    return Error{path + ": the data unit is shorter than the header says (" +
                 str_trimmed(double(needed)) + " bytes needed, the file has " +
                 str_trimmed(double(file_size)) + ")"};
  }
  return place;
}

}  // namespace orvane::core

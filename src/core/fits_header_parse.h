#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/result.h"

// The reader's header stage: the cards up to END checked, and where the data unit lies. Shared
// by every way of reading a FITS file (from a path, loaded ahead, from memory).
namespace orvane::core {

inline constexpr int kFitsCardLength = 80;
inline constexpr int kFitsCardsPerBlock = 36;
// The last card that may hold END: 468 = 13 blocks, the most that fits the 500 header slots.
inline constexpr int kFitsLastEndCard = 468;

// The keyword values the reader uses; the last card with a keyword wins.
struct FitsHeaderValues {
  bool has_bitpix = false, has_naxis1 = false, has_naxis2 = false, has_naxis3 = false;
  double bitpix = -1, naxis1 = -1, naxis2 = -1, naxis3 = -1, bzero = 0, bscale = 1;
};

// A header that passed every check, with the sizes the data unit needs.
struct FitsHeader {
  std::vector<std::string> cards;  // cards 1 .. END, 80 characters each
  int card_count = 0;              // END card number rounded up to a multiple of 36
  FitsHeaderValues values;
  int bitpix = 0;  // 8, 16 or 32
  bool is_float = false;
  int width = 0;
  int height = 0;
};

// How many bytes from the start of a file of file_size bytes may hold the header: the whole
// cards it has, at most 468.
std::size_t fits_header_span(std::uint64_t file_size);

// Takes the cards of `bytes` (the first fits_header_span bytes of the file) up to END and checks
// the keywords, in the order the messages are given; path begins every message.
Result<FitsHeader> parse_fits_header(std::span<const std::uint8_t> bytes, const std::string& path);

// Where the data unit lies: its first byte and the number of values of the first plane.
struct FitsDataPlace {
  std::uint64_t offset = 0;
  std::size_t values = 0;  // width x height
};

// The data unit's place, refused when the file of file_size bytes is shorter than it.
Result<FitsDataPlace> fits_data_place(const FitsHeader& header, const std::string& path,
                                      std::uint64_t file_size);

}  // namespace orvane::core

// make_fuzz_seeds: writes the seed files the FITS reader's fuzzer starts from, one small valid
// file for each form the reader takes: 4 x 4 frames of BITPIX 8, 16, 32 and -32, the standard
// unsigned 16-bit form (BZERO 32768), three planes, a DATE-OBS with date and time, and a header
// of 37 cards that runs into a second block.
//
//   make_fuzz_seeds OUTDIR

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/text_file.h"

namespace {

constexpr std::size_t kBlock = 2880;

std::string card(const std::string& keyword, const std::string& value) {
  std::string text = keyword;
  text.resize(8, ' ');
  text += "= ";
  text += std::string(value.size() < 20 ? 20 - value.size() : 0, ' ') + value;
  text.resize(80, ' ');
  return text;
}

std::string end_card() {
  std::string text = "END";
  text.resize(80, ' ');
  return text;
}

void pad(std::string& bytes, char with) {
  bytes.resize((bytes.size() + kBlock - 1) / kBlock * kBlock, with);
}

void put_big_endian(std::string& bytes, std::uint32_t word, int size) {
  for (int shift = (size - 1) * 8; shift >= 0; shift -= 8) {
    bytes += static_cast<char>((word >> shift) & 0xFFu);
  }
}

struct Seed {
  const char* name;
  int bitpix;
  std::vector<std::string> extra_cards;  // after NAXIS2
  int planes = 1;
};

// 16 values per plane covering each form's edges: 0, the largest and the smallest word, and
// for -32 a fraction to round, NaN, an infinity and a value beyond the 32-bit range.
std::string data_unit(int bitpix, int planes) {
  std::string bytes;
  for (int i = 0; i < 16 * planes; ++i) {
    const int k = i % 16;
    if (bitpix == -32) {
      const float values[] = {0.0f,
                              1.5f,
                              -2.5f,
                              3e9f,
                              std::numeric_limits<float>::quiet_NaN(),
                              -std::numeric_limits<float>::infinity(),
                              65535.0f,
                              -1.0f};
      put_big_endian(bytes, std::bit_cast<std::uint32_t>(values[k % 8]), 4);
    } else {
      const std::uint32_t edges[] = {0,      1,      0x7F,   0x80,       0xFF,
                                     0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000u};
      put_big_endian(bytes, edges[k % 10] + static_cast<std::uint32_t>(i / 10), bitpix / 8);
    }
  }
  pad(bytes, '\0');
  return bytes;
}

std::string seed_file(const Seed& seed) {
  std::string bytes = card("SIMPLE", "T") + card("BITPIX", std::to_string(seed.bitpix)) +
                      card("NAXIS", seed.planes > 1 ? "3" : "2") + card("NAXIS1", "4") +
                      card("NAXIS2", "4");
  if (seed.planes > 1) bytes += card("NAXIS3", std::to_string(seed.planes));
  for (const std::string& extra : seed.extra_cards) bytes += extra;
  bytes += end_card();
  pad(bytes, ' ');
  return bytes + data_unit(seed.bitpix, seed.planes);
}

// 31 comment cards after the 5 image cards put END on card 37.
std::vector<std::string> comments(int count) {
  std::string comment = "COMMENT seed";
  comment.resize(80, ' ');
  return std::vector<std::string>(static_cast<std::size_t>(count), comment);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_fuzz_seeds OUTDIR\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const Seed seeds[] = {
      {"bitpix8.fit", 8, {}},
      {"bitpix16.fit", 16, {}},
      {"bitpix32.fit", 32, {card("BZERO", "100"), card("BSCALE", "2")}},
      {"float.fit", -32, {}},
      {"bzero32768.fit", 16, {card("BZERO", "32768"), card("BSCALE", "1")}},
      {"planes3.fit", 8, {}, 3},
      {"date_obs.fit", 16, {card("DATE-OBS", "'2015-01-03T21:04:10'"), card("EXPTIME", "30")}},
      {"cards37.fit", 16, comments(31)},
  };
  for (const Seed& seed : seeds) {
    const std::string path = (folder / seed.name).string();
    const orvane::core::Status written = orvane::core::write_file_atomically(path, seed_file(seed));
    if (!written) {
      std::fprintf(stderr, "%s\n", written.error().c_str());
      return 1;
    }
  }
  return 0;
}

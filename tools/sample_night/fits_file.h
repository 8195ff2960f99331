#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A 16-bit FITS file written byte by byte, independent of the program's own writer so that the
// sample night also checks the program's reader.
namespace orvane::sample_night {

struct FrameHeader {
  int width = 0;
  int height = 0;
  std::string date;  // "yyyy-mm-dd"
  std::string time;  // "hh:mm:ss"
  int exposure = 0;  // seconds
  std::string object;
  std::string ra;         // "HH MM SS.ss", J2000
  std::string dec;        // "+DD MM SS.s"
  std::string latitude;   // "+DD MM SS", north positive
  std::string longitude;  // "+DDD MM SS", east positive
};

// The whole file: header cards padded with blank cards to 36 per block, then the values 0..65535
// (row after row) as standard BITPIX 16 with BZERO 32768, i.e. value - 32768 as big-endian
// two's complement, padded with zero bytes to a multiple of 2880.
std::vector<char> fits_bytes(const FrameHeader& header, const std::vector<std::uint16_t>& pixels);

}  // namespace orvane::sample_night

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::test {

// Builds small FITS files byte by byte, independently of the program's writer, so tests know
// exactly what the reader gets.
class FitsBuilder {
 public:
  // A card "KEYWORD = value" with the keyword padded to 8 columns and the value right-aligned
  // to column 30, padded to 80 characters.
  static std::string card(const std::string& keyword, const std::string& value);
  // Any text padded (or cut) to 80 characters.
  static std::string raw_card(const std::string& text);

  FitsBuilder& add(const std::string& keyword, const std::string& value);
  FitsBuilder& add_raw(const std::string& text);
  // Appends the "END" card and pads the header with blank cards to a multiple of 36.
  FitsBuilder& end();

  // Data values appended big-endian after the header; signed values as two's complement.
  FitsBuilder& u8(const std::vector<int>& values);
  FitsBuilder& u16(const std::vector<int>& values);  // 0..65535 or -32768..32767
  FitsBuilder& i16(const std::vector<int>& values) { return u16(values); }
  FitsBuilder& i32(const std::vector<std::int64_t>& values);
  FitsBuilder& f32(const std::vector<float>& values);
  // Zero bytes up to the next multiple of 2880.
  FitsBuilder& pad();

  const std::string& contents() const { return bytes_; }
  int card_count() const { return cards_; }
  // Writes the file and returns its path.
  std::string write(const std::string& path) const;

  // The usual header: SIMPLE, BITPIX, NAXIS, NAXIS1, NAXIS2 (no END yet).
  static FitsBuilder image(int bitpix, int width, int height);

 private:
  std::string bytes_;
  int cards_ = 0;
};

// A whole file's bytes.
std::string read_bytes(const std::string& path);
// Writes bytes as they are, replacing the file.
void write_bytes(const std::string& path, const std::string& bytes);

}  // namespace orvane::test

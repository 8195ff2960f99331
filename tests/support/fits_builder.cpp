#include "support/fits_builder.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace orvane::test {

std::string FitsBuilder::raw_card(const std::string& text) {
  return (text + std::string(80, ' ')).substr(0, 80);
}

std::string FitsBuilder::card(const std::string& keyword, const std::string& value) {
  const std::size_t pad = value.size() < 20 ? 20 - value.size() : 0;
  return raw_card(raw_card(keyword).substr(0, 8) + "= " + std::string(pad, ' ') + value);
}

FitsBuilder& FitsBuilder::add(const std::string& keyword, const std::string& value) {
  return add_raw(card(keyword, value));
}

FitsBuilder& FitsBuilder::add_raw(const std::string& text) {
  bytes_ += raw_card(text);
  ++cards_;
  return *this;
}

FitsBuilder& FitsBuilder::end() {
  add_raw("END");
  while (cards_ % 36 != 0) add_raw("");
  return *this;
}

FitsBuilder& FitsBuilder::u8(const std::vector<int>& values) {
  for (int v : values) bytes_.push_back(static_cast<char>(v & 0xFF));
  return *this;
}

FitsBuilder& FitsBuilder::u16(const std::vector<int>& values) {
  for (int v : values) {
    const auto u = static_cast<std::uint16_t>(v);  // negative values as two's complement
    bytes_.push_back(static_cast<char>(u >> 8));
    bytes_.push_back(static_cast<char>(u & 0xFF));
  }
  return *this;
}

FitsBuilder& FitsBuilder::i32(const std::vector<std::int64_t>& values) {
  for (std::int64_t v : values) {
    auto u = static_cast<std::uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<char>(u >> shift));
  }
  return *this;
}

FitsBuilder& FitsBuilder::f32(const std::vector<float>& values) {
  std::vector<std::int64_t> words;
  for (float f : values) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    words.push_back(u);
  }
  return i32(words);
}

FitsBuilder& FitsBuilder::pad() {
  while (bytes_.size() % 2880 != 0) bytes_.push_back('\0');
  return *this;
}

std::string FitsBuilder::write(const std::string& path) const {
  write_bytes(path, bytes_);
  return path;
}

FitsBuilder FitsBuilder::image(int bitpix, int width, int height) {
  FitsBuilder b;
  b.add("SIMPLE", "T").add("BITPIX", std::to_string(bitpix)).add("NAXIS", "2");
  b.add("NAXIS1", std::to_string(width)).add("NAXIS2", std::to_string(height));
  return b;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace orvane::test

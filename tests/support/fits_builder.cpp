#include "support/fits_builder.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace orvane::test {

std::string FitsBuilder::raw_card(const std::string& text) {
  std::string c = text.substr(0, 80);
  c.resize(80, ' ');
  return c;
}

std::string FitsBuilder::card(const std::string& keyword, const std::string& value) {
  std::string c = keyword;
  c.resize(8, ' ');
  c += "= ";
  if (value.size() < 20) c += std::string(20 - value.size(), ' ');
  c += value;
  return raw_card(c);
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

FitsBuilder& FitsBuilder::bytes(const std::vector<std::uint8_t>& data) {
  bytes_.append(reinterpret_cast<const char*>(data.data()), data.size());
  return *this;
}

FitsBuilder& FitsBuilder::u8(const std::vector<int>& values) {
  for (int v : values) bytes_.push_back(static_cast<char>(v & 0xFF));
  return *this;
}

FitsBuilder& FitsBuilder::i16(const std::vector<int>& values) {
  for (int v : values) {
    auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    bytes_.push_back(static_cast<char>(u >> 8));
    bytes_.push_back(static_cast<char>(u & 0xFF));
  }
  return *this;
}

FitsBuilder& FitsBuilder::u16(const std::vector<int>& values) {
  for (int v : values) {
    auto u = static_cast<std::uint16_t>(v);
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
  for (float f : values) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<char>(u >> shift));
  }
  return *this;
}

FitsBuilder& FitsBuilder::pad() {
  while (bytes_.size() % 2880 != 0) bytes_.push_back('\0');
  return *this;
}

std::string FitsBuilder::write(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

FitsBuilder FitsBuilder::image(int bitpix, int width, int height) {
  FitsBuilder b;
  b.add("SIMPLE", "T")
      .add("BITPIX", std::to_string(bitpix))
      .add("NAXIS", "2")
      .add("NAXIS1", std::to_string(width))
      .add("NAXIS2", std::to_string(height));
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

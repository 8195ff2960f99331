#include "core/fits_header.h"

#include <fcntl.h>

#include <array>

#include "core/posix_file.h"

namespace orvane::core {
namespace {

constexpr std::size_t kCardLength = 80;
constexpr std::size_t kBlockLength = 2880;
constexpr std::size_t kMaxBlocks = 13;  // 468 cards, as many as the reader accepts

bool is_end_card(std::string_view card) {
  return card.substr(0, 8) == "END     ";
}

}  // namespace

Result<std::vector<std::string>> read_header_cards(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return Error{open_error_message(path, errno)};
  std::vector<std::string> cards;
  std::array<char, kBlockLength> block{};
  for (std::size_t b = 0; b < kMaxBlocks; ++b) {
    const off_t offset = static_cast<off_t>(b * kBlockLength);
    if (int error = read_at(file.get(), offset, block.data(), block.size()); error != 0) {
      return Error{read_error_message(path, error)};
    }
    if (b == 0 && std::string_view(block.data(), 9) != "SIMPLE  =") {
      return Error{path + ": not a FITS file (no SIMPLE card)"};
    }
    for (std::size_t at = 0; at < kBlockLength; at += kCardLength) {
      cards.emplace_back(block.data() + at, kCardLength);
      if (is_end_card(cards.back())) return cards;
    }
  }
  return Error{path + ": no END card in the first 468 header cards"};
}

}  // namespace orvane::core

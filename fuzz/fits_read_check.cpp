#include "fits_read_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "core/fits_reader.h"

namespace orvane::fuzz {
namespace {

const std::string kName = "input.fit";
constexpr int kCornerSide = 64;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "FITS reader check failed: %s\n", what.c_str());
  std::abort();
}

core::ReadOptions options_for(std::size_t size) {
  switch (size % 3) {
    case 0:
      return core::ReadOptions{};
    case 1:
      return core::ReadOptions{.sign_mode = -1, .dusky_mode = true};
    default:
      return core::ReadOptions{.read_calc_mode = 1, .read_calc_operand = 2.5};
  }
}

// The fields a read sets, as references, for comparing without copies.
template <typename Frame>
auto read_fields(Frame& f) {
  return std::tie(f.file_path, f.width, f.height, f.planes, f.bitpix, f.is_float, f.bzero, f.bscale,
                  f.header_card_count, f.header_cards, f.max_value, f.min_value);
}

// The top left corner of the image, where the pixels a check can afford lie.
template <typename Visit>
void visit_corner(const core::ImageFrame& f, Visit visit) {
  for (int y = 0; y < std::min(f.height, kCornerSide); ++y) {
    for (int x = 0; x < std::min(f.width, kCornerSide); ++x) visit(f.pixels.at(x, y));
  }
}

void check_accepted(const core::ImageFrame& f) {
  if (f.file_path != kName) fail("file_path is \"" + f.file_path + "\"");
  if (f.width < 1 || f.width > core::ImageFrame::kMaxSide || f.height < 1 ||
      f.height > core::ImageFrame::kMaxSide) {
    fail("size " + std::to_string(f.width) + " x " + std::to_string(f.height));
  }
  if (f.header_card_count < 36 || f.header_card_count % 36 != 0 ||
      f.header_card_count > core::ImageFrame::kHeaderSlots) {
    fail("header_card_count " + std::to_string(f.header_card_count));
  }
  if (f.bitpix != 8 && f.bitpix != 16 && f.bitpix != 32) fail("bitpix " + std::to_string(f.bitpix));
  if (f.undo_available) fail("UnDo still available after a read");
}

}  // namespace

struct FitsReadChecker::Snapshot {
  std::string file_path;
  int width = 0, height = 0, planes = 0, bitpix = 0, is_float = 0;
  double bzero = 0, bscale = 0;
  int header_card_count = 0;
  std::array<std::string, core::ImageFrame::kHeaderSlots + 1> header_cards;
  std::int32_t max_value = 0, min_value = 0;
  std::vector<std::int32_t> corner;
};

FitsReadChecker::FitsReadChecker()
    : frame_(std::make_unique<core::ImageFrame>()), snapshot_(std::make_unique<Snapshot>()) {
  take_snapshot();
}

FitsReadChecker::~FitsReadChecker() = default;

void FitsReadChecker::take_snapshot() {
  read_fields(*snapshot_) = read_fields(std::as_const(*frame_));
  snapshot_->corner.clear();
  visit_corner(*frame_, [this](std::int32_t v) { snapshot_->corner.push_back(v); });
}

bool FitsReadChecker::frame_as_in_snapshot() const {
  if (read_fields(*frame_) != read_fields(*snapshot_)) return false;
  std::size_t i = 0;
  bool same = true;
  visit_corner(*frame_, [&](std::int32_t v) {
    same = same && i < snapshot_->corner.size() && snapshot_->corner[i] == v;
    ++i;
  });
  return same && i == snapshot_->corner.size();
}

std::string FitsReadChecker::check(std::span<const std::uint8_t> input) {
  core::ImageFrame& frame = *frame_;
  frame.undo_available = true;  // a read must take it away, a refusal must leave it
  const core::Result<core::ReadReport> read =
      core::fits_read_memory(frame, input, kName, options_for(input.size()));
  if (read.ok()) {
    check_accepted(frame);
    take_snapshot();
    return "";
  }
  if (read.error().rfind(kName, 0) != 0)
    fail("the message does not name the file: " + read.error());
  if (!frame.undo_available || !frame_as_in_snapshot()) {
    fail("the refusal \"" + read.error() + "\" changed the frame");
  }
  return read.error();
}

}  // namespace orvane::fuzz

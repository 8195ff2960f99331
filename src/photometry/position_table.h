#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace orvane::photometry {

// A frame position in whole pixels: x the column, y the row.
struct Position {
  int x = 0;
  int y = 0;
  friend bool operator==(const Position&, const Position&) = default;
};

// The six position slots: odd slots are stars, slot s + 1 is the sky position of star s.
enum Slot : int {
  kComparison = 1,
  kComparisonSky = 2,
  kVariable = 3,
  kVariableSky = 4,
  kCheck = 5,
  kCheckSky = 6,
};
inline constexpr std::array<int, 3> kStarSlots = {kComparison, kVariable, kCheck};

// Positions by slot 1..6; index 0 is not used.
using SlotPositions = std::array<Position, 7>;

// The positions set by the position windows and, in "Peak cast & Move position", by each
// measurement, so the next frame is searched from where the stars were last found.
struct PositionTable {
  SlotPositions entries{};

  Position& operator[](int slot) { return entries[slot]; }
  const Position& operator[](int slot) const { return entries[slot]; }

  // A star button: the star at p and its sky 20 pixels to the right.
  void set_star(int star_slot, Position p) {
    entries[star_slot] = p;
    entries[star_slot + 1] = {p.x + 20, p.y};
  }
};

// A coordinate typed into a position box, as a whole pixel. Values far outside any frame are
// held at +-1000000 so the arithmetic round a star never overflows.
int box_coordinate(double value);

// The last place of a frame in either direction (frames are at most 5501 pixels a side).
inline constexpr int kLastPlace = 5500;

// A coordinate typed into a position box and confirmed: a whole number from 0 to kLastPlace,
// blanks around it allowed; nothing for any other text.
std::optional<int> typed_coordinate(std::string_view text);

}  // namespace orvane::photometry

#include "photometry/sky_area.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orvane::photometry {
namespace {

TEST(SkyArea, OkRefusesWithTheWindowsMessages) {
  // Inside 10: outside maximum floor(sqrt(2925 + 10 x 11)) = floor(55.09) = 55.
  EXPECT_EQ(outside_maximum(10), 55);
  const struct {
    const char* name;
    int shape;
    SkyArea area;
    std::optional<std::string> refusal;
  } cases[] = {
      {"outside 54 for inside 10 is taken", 0, {3, 10, 54}, std::nullopt},
      {"outside 55 for inside 10 reaches the maximum", 0, {3, 10, 55}, "Sky size error"},
      {"aperture 3 inside 3", 0, {3, 3, 20}, "Aperture > Sky , error"},
      {"aperture 0.5", 0, {0.5, 10, 20}, "Aperture size error"},
      {"outside equal to inside", 0, {3, 20, 20}, "Sky size error"},
      {"outside below inside", 0, {3, 20, 15}, "Sky size error"},
      // Halves floor(5 / 2) = 2 and floor(4 / 2) = 2: the ring starts inside the box.
      {"square 4 inside 5", 1, {4, 5, 20}, "Aperture > Sky , error"},
      {"circle 4 inside 5 is taken", 0, {4, 5, 20}, std::nullopt},
      {"square 4 inside 6", 1, {4, 6, 20}, std::nullopt},
      {"aperture beyond any frame", 0, {6000, 7000, 7100}, "Aperture size error"},
  };
  for (const auto& c : cases) EXPECT_EQ(sky_area_refusal(c.shape, c.area), c.refusal) << c.name;
}

TEST(SkyArea, StandardAndTheLoadWarning) {
  const struct {
    int shape;
    double aperture, inside, outside;
  } standard[] = {{0, 4, 10, 20}, {0, 6, 12, 24}, {1, 4, 8, 16}};
  for (const auto& c : standard) {
    const SkyArea area = standard_sky_area(c.shape, c.aperture);
    EXPECT_EQ(area.inside, c.inside) << c.shape << " " << c.aperture;
    EXPECT_EQ(area.outside, c.outside) << c.shape << " " << c.aperture;
  }
  const std::string warning = "the Sky Area is too small. Please change";
  EXPECT_EQ(sky_area_warning({3, 10, 20}), std::nullopt);
  EXPECT_EQ(sky_area_warning({3, 10, 55}), warning);
  EXPECT_EQ(sky_area_warning({10, 10, 20}), warning);
}

}  // namespace
}  // namespace orvane::photometry

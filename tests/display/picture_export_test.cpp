#include "display/picture_export.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

TEST(PictureExport, NamesAndTypedQuality) {
  EXPECT_EQ(proposed_bitmap_name("/x/m31.fit"), "m31.bmp");
  EXPECT_EQ(jpeg_name("/x/m31.bmp"), "/x/m31.jpg");
  // -1 < q < 101 is taken, rounded to a whole number; anything else keeps the previous quality.
  EXPECT_EQ(typed_quality(150, 50), 50);
  EXPECT_EQ(typed_quality(-5, 70), 70);
  EXPECT_EQ(typed_quality(99.6, 50), 100);
  EXPECT_EQ(typed_quality(0, 50), 0);
  EXPECT_EQ(typed_quality(-0.7, 50), 0);     // rounds to -1, kept within 0..100
  EXPECT_EQ(typed_quality(100.6, 50), 100);  // rounds to 101, likewise
}

}  // namespace
}  // namespace orvane::display

#include "core/derived_names.h"

#include <gtest/gtest.h>

namespace orvane::core {
namespace {

TEST(DerivedNames, ReplaceTheLastExtensionOfTheFileNameOnly) {
  EXPECT_EQ(derived_name("m31.fit", ".bmp"), "m31.bmp");
  EXPECT_EQ(derived_name("/data/night.1/m31.v.fit", ".jpg"), "/data/night.1/m31.v.jpg");
  EXPECT_EQ(derived_name("/data/night.1/m31", ".txt"), "/data/night.1/m31.txt");
  EXPECT_EQ(derived_name("star.txt", "-inv.djm"), "star-inv.djm");
  EXPECT_EQ(file_name_part("/data/night.1/m31.fit"), "m31.fit");
  EXPECT_EQ(file_name_part("m31.fit"), "m31.fit");
}

}  // namespace
}  // namespace orvane::core

#include "picture/picture_writer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "picture/picture_format.h"
#include "support/temp_dir.h"

namespace orvane::picture {
namespace {

// A 3 x 2 picture of grey levels 0, 10, .., 50.
display::RgbImage grey_picture() {
  display::RgbImage picture(3, 2);
  for (int i = 0; i < 6; ++i) picture.pixels[std::size_t(i)] = display::grey(10 * i);
  return picture;
}

QImage decoded(const std::string& bytes) {
  return QImage::fromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void expect_same_pixels(const QImage& image, const display::RgbImage& picture) {
  ASSERT_EQ(image.size(), QSize(picture.width, picture.height));
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      EXPECT_EQ(image.pixel(x, y), picture.at(x, y)) << x << "," << y;
    }
  }
}

TEST(PictureWriter, GreyGoesIntoPngAsEightBitsColourAndBmpAsTheyAre) {
  display::RgbImage grey = grey_picture();
  const QImage png = decoded(*encode(grey, "PNG", -1));
  EXPECT_EQ(png.format(), QImage::Format_Grayscale8);
  expect_same_pixels(png, grey);

  display::RgbImage marked = grey_picture();
  marked.set(1, 1, display::rgb(255, 0, 0));  // a red mark: no longer grey
  EXPECT_NE(decoded(*encode(marked, "PNG", -1)).format(), QImage::Format_Grayscale8);
  expect_same_pixels(decoded(*encode(marked, "PNG", -1)), marked);
  expect_same_pixels(decoded(*encode(marked, "BMP", -1)), marked);
}

TEST(PictureWriter, WritesThroughTheAtomicWriterAndNamesAFailedPath) {
  test::TempDir dir;
  const std::string path = dir.file("m31.bmp");
  ASSERT_TRUE(write_picture(grey_picture(), path, "BMP", -1));
  expect_same_pixels(QImage(QString::fromStdString(path)), grey_picture());
  const std::string missing = dir.file("no/such/folder/m31.jpg");
  const core::Status failed = write_picture(grey_picture(), missing, "JPG", 50);
  ASSERT_FALSE(failed);
  EXPECT_NE(failed.error().find(missing), std::string::npos);
}

TEST(PictureFormat, FromTheExtensionOfTheFileName) {
  EXPECT_EQ(picture_format("a.png"), "PNG");
  EXPECT_EQ(picture_format("/d/A.BMP"), "BMP");
  EXPECT_EQ(picture_format("a.Jpeg"), "JPG");
  EXPECT_EQ(picture_format("a.jpg"), "JPG");
  EXPECT_EQ(picture_format("a.tiff"), std::nullopt);
  EXPECT_EQ(picture_format("/d.png/name"), std::nullopt);
}

}  // namespace
}  // namespace orvane::picture

#include "core/fits_writer.h"

#include <fitsio.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/fits_reader.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using test::FitsBuilder;

std::vector<std::int32_t> row_of(const ImageFrame& frame) {
  std::vector<std::int32_t> row;
  for (int x = 0; x < frame.width; ++x) row.push_back(frame.pixels.at(x, 0));
  return row;
}

// The pixels as cfitsio reads them into ints: the independent check that files are standard.
std::vector<std::int32_t> read_with_cfitsio(const std::string& path, int expected_count) {
  fitsfile* file = nullptr;
  int status = 0;
  fits_open_file(&file, path.c_str(), READONLY, &status);
  std::vector<int> values(expected_count);
  int any_null = 0;
  fits_read_img(file, TINT, 1, expected_count, nullptr, values.data(), &any_null, &status);
  fits_close_file(file, &status);
  EXPECT_EQ(status, 0) << "cfitsio status for " << path;
  return std::vector<std::int32_t>(values.begin(), values.end());
}

class FitsWriterTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  ImageFrame frame_;

  // Reads a one-row 32-bit file of the values, so the frame has a header to write.
  void load(const std::vector<std::int64_t>& values, FitsBuilder file = {}) {
    if (file.card_count() == 0) file = FitsBuilder::image(32, int(values.size()), 1).end();
    ASSERT_TRUE(fits_read(frame_, file.i32(values).write(dir_.file("source.fit"))).ok());
  }
  std::string write(int bitpix, WriteReport* report = nullptr) {
    const std::string path = dir_.file("out.fit");
    const Result<WriteReport> written = fits_write(frame_, path, bitpix);
    EXPECT_TRUE(written.ok()) << (written.ok() ? "" : written.error());
    if (report != nullptr && written.ok()) *report = *written;
    return path;
  }
  std::vector<std::int32_t> read_back(const std::string& path) {
    ImageFrame again;
    EXPECT_TRUE(fits_read(again, path).ok());
    return row_of(again);
  }
};

TEST_F(FitsWriterTest, RoundTripsAndCfitsioAgree) {
  const std::pair<int, std::vector<std::int64_t>> cases[] = {
      {8, {0, 1, 128, 255}},
      {16, {0, 1, 12345, 32767}},
      {16, {0, 32768, 40000, 65535}},  // written with BZERO 32768
      {32, {-2147483648LL, -1, 0, 2147483647}},
  };
  for (const auto& [bitpix, values] : cases) {
    SCOPED_TRACE(bitpix);
    load(values);
    const std::vector<std::int32_t> expected(values.begin(), values.end());
    const std::string path = write(bitpix);
    EXPECT_EQ(read_back(path), expected);
    EXPECT_EQ(read_with_cfitsio(path, 4), expected);
  }
}

TEST_F(FitsWriterTest, ClippingIsCountedAndTheFrameKept) {
  load({-5, 100, 300});
  WriteReport report;
  const std::string path = write(8, &report);
  EXPECT_EQ(test::read_bytes(path).substr(2880, 3), std::string("\x00\x64\xFF", 3));
  EXPECT_EQ(row_of(frame_), (std::vector<std::int32_t>{-5, 100, 300}));
  EXPECT_EQ(clip_message("out.fit", report), "out.fit: 1 value raised to 0, 1 lowered to 255");

  load({-1, -2, 70000});
  write(16, &report);
  EXPECT_EQ(read_back(path), (std::vector<std::int32_t>{0, 0, 65535}));
  EXPECT_EQ(clip_message("out.fit", report), "out.fit: 2 values raised to 0, 1 lowered to 65535");
  EXPECT_EQ(clip_message("a.fit", {0, 3, 65535}), "a.fit: 3 values lowered to 65535");
  EXPECT_EQ(clip_message("a.fit", {0, 0, 65535}), "");
}

TEST_F(FitsWriterTest, HeaderCards) {
  const std::string blanks(50, ' ');
  // Standard 16-bit file, BZERO on card 6 and BSCALE on card 7: the words -32768 and -1 are
  // 0 and 32767, small enough to be written without BZERO 32768.
  FitsBuilder source = FitsBuilder::image(16, 2, 1).add("BZERO", "32768").add("BSCALE", "1").end();
  ASSERT_TRUE(fits_read(frame_, source.i16({-32768, -1}).write(dir_.file("s.fit"))).ok());
  const std::string path = write(16);
  const std::string bytes = test::read_bytes(path);
  EXPECT_EQ(bytes.substr(5 * 80, 80), "BZERO   =                    0" + blanks);
  EXPECT_EQ(bytes.substr(6 * 80, 80), "BSCALE  =                    1" + blanks);
  EXPECT_EQ(bytes.substr(7 * 80, 80), FitsBuilder::raw_card("END"));
  EXPECT_EQ(read_back(path), (std::vector<std::int32_t>{0, 32767}));
  EXPECT_EQ(frame_.header_cards[6], FitsBuilder::card("BZERO", "32768"));

  // 40000 needs BZERO 32768: added before END. 40000 - 32768 = 7232 = 1C 40; 0 - 32768 = 80 00.
  // END was card 36, so the header grows to 72 cards and the data start at byte 5760.
  FitsBuilder full = FitsBuilder::image(32, 2, 1);
  for (int i = 0; i < 30; ++i) full.add_raw("COMMENT filler");
  load({40000, 0}, full.end());
  const std::string grown = test::read_bytes(write(16));
  EXPECT_EQ(grown.substr(35 * 80, 80), "BZERO   =                32768" + blanks);
  EXPECT_EQ(grown.substr(36 * 80, 80), FitsBuilder::raw_card("END"));
  EXPECT_EQ(grown.substr(5760, 4), std::string("\x1C\x40\x80\x00", 4));
  EXPECT_EQ(grown.size(), 5760u + 2880u);  // 4 data bytes padded to a block
  EXPECT_EQ(grown.find_first_not_of('\0', 5764), std::string::npos);

  // A -32 frame saved as 32 bits: the file says 32, the frame's card still -32.
  FitsBuilder float_file = FitsBuilder::image(-32, 1, 1).end().f32({2.5f});
  ASSERT_TRUE(fits_read(frame_, float_file.write(dir_.file("f.fit"))).ok());
  EXPECT_EQ(test::read_bytes(write(32)).substr(80, 80), "BITPIX  =                   32" + blanks);
  EXPECT_EQ(frame_.header_cards[2], FitsBuilder::card("BITPIX", "-32"));

  // A frame from a three-plane file is written as one plane.
  FitsBuilder cube = FitsBuilder::image(8, 2, 1).add("NAXIS3", "3").end().u8({1, 2, 3, 4, 5, 6});
  ASSERT_TRUE(fits_read(frame_, cube.write(dir_.file("cube.fit"))).ok());
  const std::string flat = write(8);
  EXPECT_EQ(test::read_bytes(flat).substr(5 * 80, 80), "NAXIS3  =                    1" + blanks);
  EXPECT_EQ(read_with_cfitsio(flat, 2), (std::vector<std::int32_t>{1, 2}));
}

TEST_F(FitsWriterTest, Refusals) {
  const auto error = [this](const std::string& path, int bitpix) {
    const Result<WriteReport> written = fits_write(frame_, path, bitpix);
    return written.ok() ? std::string("written") : written.error();
  };
  const std::string path = dir_.file("out.fit");
  EXPECT_EQ(error(path, 16), path + ": there is no image to save (no FITS file has been read)");
  load({1});
  EXPECT_EQ(error(path, 64), path + ": BITPIX 64 cannot be written (8, 16 or 32 only)");
  const std::string nowhere = dir_.file("missing/out.fit");
  EXPECT_EQ(error(nowhere, 16), nowhere + ": cannot be written (No such file or directory)");
}

}  // namespace
}  // namespace orvane::core

#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using Lines = std::vector<std::string>;

std::string joined(const Lines& lines, const std::string& end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

using orvane::test::read_bytes;
using orvane::test::write_bytes;

// "4000." fills columns 1-5, blanks to column 14, "7000." from column 15.
const std::string kWavelengths = "4000." + std::string(9, ' ') + "7000.";
// The default line 21: two lone points, the second at column 15.
const std::string kNoWavelengths = "." + std::string(13, ' ') + ".";

// A file as a user's earlier runs and hand edits may have left it.
Lines full_file() {
  Lines lines = {
      "ABC",                                      // 1 observer code
      "V",                                        // 2 band
      "Tar\xC5\x8D Yamada, T\xC5\x8Dky\xC5\x8D",  // 3 UTF-8 text (o with macron)
      "20cm f/4, ST-7",                           // 4 instruments
      "0",                                        // 5 beep off
      " 1200 " + std::string(8, ' ') + " 3400 ",  // 6 Form1 as the program writes it
      "1200,3400",                                // 7 Form2 with a comma
      "  -150   90",                              // 8 Form3 odd spacing
      "",                                         // 9 Form4: no position
      "300 , 450",                                // 10 Form6
      "15\t30",                                   // 11 Form7
      "abc",                                      // 12 Form9: no number
  };
  lines.resize(20);  // Form12 .. Form22 without positions
  lines.push_back(kWavelengths);
  return lines;
}

TEST(SettingsFileRead, MissingFileGivesTheDefaults) {
  test::TempDir dir;
  SettingsFile settings = SettingsFile::read(dir.file("orvane.ini"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(settings.observer_line(i), "");
  EXPECT_FALSE(settings.beep_on());
  EXPECT_EQ(settings.position(SettingsWindow::kForm1), std::nullopt);
  EXPECT_EQ(settings.position(SettingsWindow::kForm22), std::nullopt);
  EXPECT_EQ(settings.wavelength_start(), 0);
  EXPECT_EQ(settings.wavelength_end(), 0);

  // Written: 4 empty lines, beep " 0 ", 15 empty position lines, the two points; CR LF each.
  ASSERT_TRUE(settings.write(dir.file("orvane.ini")).ok());
  EXPECT_EQ(read_bytes(dir.file("orvane.ini")),
            "\r\n\r\n\r\n\r\n 0 \r\n" + joined(Lines(15, ""), "\r\n") + kNoWavelengths + "\r\n");
}

TEST(SettingsFileRead, ShortFileKeepsWhatItHas) {
  test::TempDir dir;
  const std::string path = dir.file("orvane.ini");
  write_bytes(path, "Obs1\r\nV\r\nplace\r\n");
  SettingsFile settings = SettingsFile::read(path);
  EXPECT_EQ(settings.observer_line(0), "Obs1");
  EXPECT_EQ(settings.observer_line(2), "place");
  EXPECT_EQ(settings.observer_line(3), "");
  EXPECT_FALSE(settings.beep_on());
  EXPECT_EQ(settings.position(SettingsWindow::kForm1), std::nullopt);
  EXPECT_EQ(settings.wavelength_end(), 0);

  ASSERT_TRUE(settings.write(path).ok());
  EXPECT_EQ(read_bytes(path), "Obs1\r\nV\r\nplace\r\n\r\n 0 \r\n" + joined(Lines(15, ""), "\r\n") +
                                  kNoWavelengths + "\r\n");
}

TEST(SettingsFileRead, FullFileValuesAndByteExactRoundTrip) {
  test::TempDir dir;
  const std::string bytes = joined(full_file(), "\r\n");
  write_bytes(dir.file("orvane.ini"), bytes);
  write_bytes(dir.file("lf.ini"), joined(full_file(), "\n"));

  for (const char* name : {"orvane.ini", "lf.ini"}) {
    SCOPED_TRACE(name);
    SettingsFile settings = SettingsFile::read(dir.file(name));
    EXPECT_EQ(settings.observer_line(0), "ABC");
    EXPECT_EQ(settings.observer_line(3), "20cm f/4, ST-7");
    EXPECT_FALSE(settings.beep_on());
    EXPECT_EQ(settings.position(SettingsWindow::kForm1), (WindowPosition{1200, 3400}));
    EXPECT_EQ(settings.position(SettingsWindow::kForm2), (WindowPosition{1200, 3400}));
    EXPECT_EQ(settings.position(SettingsWindow::kForm3), (WindowPosition{-150, 90}));
    EXPECT_EQ(settings.position(SettingsWindow::kForm4), std::nullopt);
    EXPECT_EQ(settings.position(SettingsWindow::kForm6), (WindowPosition{300, 450}));
    EXPECT_EQ(settings.position(SettingsWindow::kForm7), (WindowPosition{15, 30}));
    EXPECT_EQ(settings.position(SettingsWindow::kForm9), std::nullopt);
    EXPECT_EQ(settings.wavelength_start(), 4000);
    EXPECT_EQ(settings.wavelength_end(), 7000);

    // Written back with CR LF, every line as it was read: an LF file comes out as CR LF.
    ASSERT_TRUE(settings.write(dir.file("out.ini")).ok());
    EXPECT_EQ(read_bytes(dir.file("out.ini")), bytes);
  }
}

TEST(SettingsFileWrite, SettersRewriteOnlyTheirOwnLines) {
  test::TempDir dir;
  const std::string path = dir.file("orvane.ini");
  write_bytes(path, joined(full_file(), "\r\n"));
  SettingsFile settings = SettingsFile::read(path);
  settings.set_beep_on(true);
  settings.set_position(SettingsWindow::kForm17, {1500, -30});
  // The same value again leaves the line as it was read.
  settings.set_position(SettingsWindow::kForm2, {1200, 3400});
  ASSERT_TRUE(settings.write(path).ok());

  Lines expected = full_file();
  expected[4] = " 1 ";
  // " 1500 " in columns 1-6, blanks to column 14, "-30 " from column 15.
  expected[16] = " 1500 " + std::string(8, ' ') + "-30 ";
  EXPECT_EQ(read_bytes(path), joined(expected, "\r\n"));

  SettingsFile again = SettingsFile::read(path);
  EXPECT_TRUE(again.beep_on());
  EXPECT_EQ(again.position(SettingsWindow::kForm17), (WindowPosition{1500, -30}));
}

TEST(SettingsFileWrite, WavelengthsUseThePointPattern) {
  test::TempDir dir;
  const std::string path = dir.file("orvane.ini");
  SettingsFile settings = SettingsFile::read(path);
  settings.set_wavelengths(4000, 7000);
  EXPECT_EQ(settings.line(21), kWavelengths);

  // ".25" in columns 1-3, blanks to column 14, "12.5" from column 15.
  settings.set_wavelengths(0.25, 12.5);
  EXPECT_EQ(settings.line(21), ".25" + std::string(11, ' ') + "12.5");
  ASSERT_TRUE(settings.write(path).ok());
  SettingsFile again = SettingsFile::read(path);
  EXPECT_EQ(again.wavelength_start(), 0.25);
  EXPECT_EQ(again.wavelength_end(), 12.5);
}

TEST(SettingsFileRead, SeparatorsAndFlagsAsTheReaderAcceptsThem) {
  struct Case {
    const char* name;
    std::string position_line;
    std::optional<WindowPosition> expected;
  };
  const Case positions[] = {
      {"comma", "1200,3400", WindowPosition{1200, 3400}},
      {"comma between blanks", "1200 , 3400", WindowPosition{1200, 3400}},
      {"run of blanks", "  1200          3400 ", WindowPosition{1200, 3400}},
      {"tab, negative", "-150\t90", WindowPosition{-150, 90}},
      {"one number", "1200", WindowPosition{1200, 0}},
      {"fraction rounded", "1200.6 3400", WindowPosition{1201, 3400}},
      {"empty", "", std::nullopt},
      {"blanks only", "   ", std::nullopt},
      {"text", "abc", std::nullopt},
  };
  test::TempDir dir;
  const std::string path = dir.file("orvane.ini");
  for (const Case& c : positions) {
    write_bytes(path, joined({"", "", "", "", "0", c.position_line}, "\r\n"));
    EXPECT_EQ(SettingsFile::read(path).position(SettingsWindow::kForm1), c.expected) << c.name;
  }

  // Beep is on only for the value 1.
  const std::pair<const char*, bool> beeps[] = {{"1", true},    {" 1 ", true}, {"2", false},
                                                {"1.5", false}, {"", false},   {"on", false}};
  for (const auto& [line, on] : beeps) {
    write_bytes(path, joined({"", "", "", "", line}, "\r\n"));
    EXPECT_EQ(SettingsFile::read(path).beep_on(), on) << '"' << line << '"';
  }

  // Line 21: a lone point reads as 0; a comma separates too.
  Lines lines(20, "");
  lines.push_back(kNoWavelengths);
  write_bytes(path, joined(lines, "\r\n"));
  EXPECT_EQ(SettingsFile::read(path).wavelength_end(), 0);
  lines[20] = "4000.5,7000.25";
  write_bytes(path, joined(lines, "\r\n"));
  EXPECT_EQ(SettingsFile::read(path).wavelength_start(), 4000.5);
  EXPECT_EQ(SettingsFile::read(path).wavelength_end(), 7000.25);
}

}  // namespace
}  // namespace orvane::core

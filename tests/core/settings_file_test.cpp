#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
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
      "300 , 450",                                // 10 Form6: a comma between blanks
      "15\t30",                                   // 11 Form7: a tab
      "abc",                                      // 12 Form9: no number
      "1200",                                     // 13 Form12: one number
      "1200.6 3400",                              // 14 Form13: a fraction
      "   ",                                      // 15 Form15: blanks only
  };
  lines.resize(20);  // Form16 .. Form22 without positions
  // "4000." in columns 1-5, blanks to column 14, "7000." from column 15.
  lines.push_back("4000." + std::string(9, ' ') + "7000.");
  return lines;
}

TEST(SettingsFileRead, MissingOrShortFileGivesTheDefaults) {
  // Written back: the lines read, empty observer lines up to 4, beep " 0 ", 15 empty position
  // lines and two lone points, the second at column 15; CR LF each.
  const std::string rest =
      " 0 \r\n" + joined(Lines(15, ""), "\r\n") + "." + std::string(13, ' ') + ".\r\n";
  const struct {
    const char* name;
    std::optional<std::string> contents;
    std::string written;
  } cases[] = {
      {"missing file", std::nullopt, "\r\n\r\n\r\n\r\n" + rest},
      {"three lines", "Obs1\r\nV\r\nplace\r\n", "Obs1\r\nV\r\nplace\r\n\r\n" + rest},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const std::string path = dir.file("orvane.ini");
    if (c.contents) write_bytes(path, *c.contents);
    SettingsFile settings = SettingsFile::read(path);
    EXPECT_EQ(settings.observer_line(3), "");
    EXPECT_FALSE(settings.beep_on());
    EXPECT_EQ(settings.position(SettingsWindow::kForm1), std::nullopt);
    EXPECT_EQ(settings.wavelength_end(), 0);
    ASSERT_TRUE(settings.write(path).ok());
    EXPECT_EQ(read_bytes(path), c.written);
  }
}

TEST(SettingsFileRead, FullFileValuesAndByteExactRoundTrip) {
  using W = SettingsWindow;
  const std::pair<W, std::optional<WindowPosition>> positions[] = {
      {W::kForm1, WindowPosition{1200, 3400}},
      {W::kForm2, WindowPosition{1200, 3400}},
      {W::kForm3, WindowPosition{-150, 90}},
      {W::kForm4, std::nullopt},
      {W::kForm6, WindowPosition{300, 450}},
      {W::kForm7, WindowPosition{15, 30}},
      {W::kForm9, std::nullopt},
      {W::kForm12, WindowPosition{1200, 0}},
      {W::kForm13, WindowPosition{1201, 3400}},
      {W::kForm15, std::nullopt},
  };
  test::TempDir dir;
  const std::string bytes = joined(full_file(), "\r\n");
  write_bytes(dir.file("orvane.ini"), bytes);
  write_bytes(dir.file("lf.ini"), joined(full_file(), "\n"));
  for (const char* name : {"orvane.ini", "lf.ini"}) {
    SCOPED_TRACE(name);
    SettingsFile settings = SettingsFile::read(dir.file(name));
    EXPECT_EQ(settings.observer_line(3), "20cm f/4, ST-7");
    for (const auto& [window, expected] : positions)
      EXPECT_EQ(settings.position(window), expected) << "window " << int(window);
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
  settings.set_wavelengths(0.25, 12.5);
  ASSERT_TRUE(settings.write(path).ok());

  Lines expected = full_file();
  expected[4] = " 1 ";
  // " 1500 " in columns 1-6, blanks to column 14, "-30 " from column 15.
  expected[16] = " 1500 " + std::string(8, ' ') + "-30 ";
  // ".25" in columns 1-3, blanks to column 14, "12.5" from column 15.
  expected[20] = ".25" + std::string(11, ' ') + "12.5";
  EXPECT_EQ(read_bytes(path), joined(expected, "\r\n"));

  SettingsFile again = SettingsFile::read(path);
  EXPECT_TRUE(again.beep_on());
  EXPECT_EQ(again.position(SettingsWindow::kForm17), (WindowPosition{1500, -30}));
  EXPECT_EQ(again.wavelength_start(), 0.25);
  EXPECT_EQ(again.wavelength_end(), 12.5);
}

TEST(SettingsFileRead, BeepAndWavelengthLines) {
  test::TempDir dir;
  const std::string path = dir.file("orvane.ini");
  // Beep is on only for the value 1.
  const std::pair<const char*, bool> beeps[] = {{"1", true},    {" 1 ", true}, {"2", false},
                                                {"1.5", false}, {"", false},   {"on", false}};
  for (const auto& [line, on] : beeps) {
    write_bytes(path, joined({"", "", "", "", line}, "\r\n"));
    EXPECT_EQ(SettingsFile::read(path).beep_on(), on) << '"' << line << '"';
  }
  // Line 21: a comma separates the wavelengths too.
  write_bytes(path, joined(Lines(20, ""), "\r\n") + "4000.5,7000.25\r\n");
  EXPECT_EQ(SettingsFile::read(path).wavelength_start(), 4000.5);
  EXPECT_EQ(SettingsFile::read(path).wavelength_end(), 7000.25);
}

}  // namespace
}  // namespace orvane::core

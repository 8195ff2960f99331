#include "photometry/header_time.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fits_builder.h"

namespace orvane::photometry {
namespace {

// Cards as cameras write them: strings quoted from column 11, numbers right-aligned to 30.
const char* const kDate = "DATE-OBS= '15/01/03'";
const char* const kUt = "UT      = '21:04:10'";
const char* const kJst = "JST     = '06:04:10'";
const char* const kExp = "EXPTIME =                  30.";
const char* const kDateTime = "DATE-OBS= '2003-01-15T21:04:10'";
const char* const kUtc = "TIMESYS = 'UTC     '";
const char* const kLateUt = "UT      = '23:00:00'";

struct TimeCase {
  const char* name;
  std::vector<const char*> cards;
  std::string date, time;
  double exposure;
};

void expect_times(const TimeCase& c, bool record) {
  std::vector<std::string> cards;
  for (const char* text : c.cards) cards.push_back(test::FitsBuilder::raw_card(text));
  const ObservationTime t = record ? record_header_time(cards, 0) : run_header_time(cards);
  EXPECT_EQ(t.date, c.date) << c.name;
  EXPECT_EQ(t.time, c.time) << c.name;
  EXPECT_EQ(t.exposure, c.exposure) << c.name;
}

TEST(RunHeaderTime, ReadsDateTimeAndExposureFromTheCards) {
  const TimeCase cases[] = {
      {"UT then JST: JST's 06 h moves the day on", {kDate, kUt, kJst}, "16/01/03", "06:04:10", 0},
      {"JST then UT: JST still", {kDate, kJst, kUt}, "16/01/03", "06:04:10", 0},
      {"JST at 09 h keeps the day", {kDate, "JST     = '09:00:00'"}, "15/01/03", "09:00:00", 0},
      {"carry into the year", {"DATE-OBS= '31/12/03'", kJst}, "01/01/04", "06:04:10", 0},
      {"leap day", {"DATE-OBS= '28/02/04'", kJst}, "29/02/04", "06:04:10", 0},
      {"'9:4:7' is 09:04:07", {"UT      = '9:4:7'"}, "", "09:04:07", 0},
      {"UT-START, the last wins", {kUt, "UT-START= '22:00:00'"}, "", "22:00:00", 0},
      {"TIME-OBS without a time card", {"TIME-OBS= '21:04:10'"}, "", "21:04:10", 0},
      {"EXPTIME", {kDate, kExp}, "15/01/03", "", 30},
      {"DATE-OBS with T, then only EXPTIME", {kDateTime, kJst, kExp}, "2003-01-15", "21:04:10", 30},
  };
  for (const auto& c : cases) expect_times(c, false);
}

TEST(RecordHeaderTime, StartsFromZerosAndMovesTheDayOnlyForUtcHeaders) {
  const TimeCase cases[] = {
      {"no cards", {}, "00/00/00", "00:00:00", 0},
      {"JST 06 h, TIMESYS UTC: next day as dd/mm/yy",
       {"DATE-OBS= '2003-12-31'", kJst, kUtc},
       "01/01/04",
       "06:04:10",
       0},
      {"JST 06 h without TIMESYS", {"DATE-OBS= '2003-12-31'", kJst}, "2003-12-31", "06:04:10", 0},
      {"TIMESYS 'UTC' padded otherwise",
       {kDate, kJst, "TIMESYS = 'UTC'"},
       "15/01/03",
       "06:04:10",
       0},
      {"leap day", {"DATE-OBS= '28/02/04'", kJst, kUtc}, "29/02/04", "06:04:10", 0},
      {"TIME-OBS while 00:00:00", {"TIME-OBS= '21:04:10'"}, "00/00/00", "21:04:10", 0},
      {"DATE-OBS with T, EXPTIME after it", {kDateTime, kJst, kExp}, "2003-01-15", "21:04:10", 30},
      {"DATE-OBS with T, no EXPTIME", {kDateTime, kUt}, "2003-01-15", "21:04:10", 0},
      {"EXPTIME before DATE-OBS with T", {kExp, kDateTime}, "2003-01-15", "21:04:10", 30},
      {"a UT card after DATE-OBS with T is not read",
       {kDateTime, kLateUt},
       "2003-01-15",
       "21:04:10",
       0},
  };
  for (const auto& c : cases) expect_times(c, true);
  // Nine hours on, never wrapped at 24.
  const std::vector<std::string> late = {test::FitsBuilder::raw_card("UT      = '21:00:00'")};
  EXPECT_EQ(record_header_time(late, 9).time, "30:00:00");
}

}  // namespace
}  // namespace orvane::photometry

#include "photometry/observation_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orvane::photometry {
namespace {

const ObservationTime kNight{"15/01/03", "21:04:10", 30};
const MagnitudeValues kBoxes{11.2, 13.46, 12.35};  // comparison, variable, check
const std::string kStars = " Check= 12.35 Comp= 11.2 Var= 13.46";

TEST(ObservationLine, DateTimeExposureAndTheMagnitudesAsNumbers) {
  const struct {
    const char* name;
    ObservationTime time;
    MagnitudeValues m;
    int digits;
    std::string line;
  } cases[] = {
      {"the example", kNight, kBoxes, 2, "15/01/03 21:04:10 030" + kStars},
      {"without a time", {"15/01/03", "", 30}, kBoxes, 2, "15/01/03 030" + kStars},
      {"without an exposure", {"15/01/03", "21:04:10", 0}, kBoxes, 2, "15/01/03 21:04:10" + kStars},
      {"2 digits round 12.345 up",
       kNight,
       {11.2, 13.46, 12.345},
       2,
       "15/01/03 21:04:10 030" + kStars},
      {"3 digits, 12.300 as 12.3",
       kNight,
       {11.224, 13.456, 12.3},
       3,
       "15/01/03 21:04:10 030 Check= 12.3 Comp= 11.224 Var= 13.456"},
  };
  for (const auto& c : cases) EXPECT_EQ(observation_line(c.time, c.m, c.digits), c.line) << c.name;
}

TEST(ReportLine, StarDateMiddleOfExposureMagnitudesEstimateBandObserver) {
  ComparisonStarDetails details{"RCas", 10.5, 1, "ABC"};  // estimate 10.5 - 11.2 + 13.46
  const struct {
    const char* name;
    ObservationTime time;
    std::string stamp;
  } cases[] = {
      {"the example: 21:04:10 + 15 s", kNight, "20030115210425"},
      {"31 s: 10 + 15.5 = 25.5 written 26", {"15/01/03", "21:04:10", 31}, "20030115210426"},
      {"44 + 15.5 = 59.5 carries", {"15/01/03", "21:04:44", 31}, "20030115210500"},
      {"50 + 15 carries to the hour", {"15/01/03", "21:59:50", 30}, "20030115220005"},
      {"1200 s: 10 min on", {"15/01/03", "21:04:10", 1200}, "20030115211410"},
      {"03 h is 27 h the day before", {"15/01/03", "03:00:00", 30}, "20030114270015"},
      {"before 01/03/04 is 29/02/04", {"01/03/04", "03:00:00", 30}, "20040229270015"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report_line(c.time, kBoxes, 2, details),
              "RCas " + c.stamp + " K= 12.35 C= 11.2 V= 13.46  12.76V ABC")
        << c.name;
  }
  EXPECT_EQ(report_line({"15/01/03", "", 30}, kBoxes, 2, details), std::nullopt);
  EXPECT_EQ(report_line({"", "21:04:10", 30}, kBoxes, 2, details), std::nullopt);
  details.band_index = -1;
  EXPECT_EQ(report_line(kNight, kBoxes, 2, details), std::nullopt);
}

TEST(ObservationRecord, FixedWidthMagnitudesAndTheImagePath) {
  EXPECT_EQ(observation_record(kNight, {11.22, 13.46, 12.35}, 2, "/obs/m31_001.fit"),
            "15/01/03 21:04:10 030 Check=012.35 Comp=011.22 Var=013.46 /obs/m31_001.fit");
  EXPECT_EQ(observation_record({"00/00/00", "00:00:00", 0}, {11.224, 13.456, 12.3}, 3, "/a.fit"),
            "00/00/00 00:00:00 000 Check=012.300 Comp=011.224 Var=013.456 /a.fit");
}

}  // namespace
}  // namespace orvane::photometry

#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/image_frame.h"

namespace orvane::photometry {

// The time of an observation as the header cards give it.
struct ObservationTime {
  std::string date;     // as written in the header: "15/01/03", "2015-01-03"; empty when none
  std::string time;     // "hh:mm:ss", empty when none
  double exposure = 0;  // seconds, 0 when the header has none
  bool jst = false;     // a JST card was read
};

// Cards 1 .. header_card_count of the frame.
std::span<const std::string> header_cards(const core::ImageFrame& frame);

// The scan of a "Photometry" press: DATE-OBS, the time of the first JST card (else the last UT
// or UT-START card, else TIME-OBS), EXPTIME. With a JST time before 09:00 the date moves one
// day on. A DATE-OBS holding date and time ("2015-01-03T21:04:10") gives both, and after it
// only EXPTIME is read.
ObservationTime run_header_time(std::span<const std::string> cards);

// The scan behind each record of "mag_est.txt": date "00/00/00" and time "00:00:00" unless the
// header has them; a JST time before 09:00 in a header whose TIMESYS is UTC moves the date one
// day on (written dd/mm/yy); time_zone 9 adds nine hours to the time without wrapping at 24.
ObservationTime record_header_time(std::span<const std::string> cards, int time_zone);

// The layouts a header date comes in.
enum class DateLayout { kDayMonthShortYear, kYearMonthDay, kDayMonthYear };

// A header date taken apart: "dd/mm/yy", "yyyy-mm-dd" or "dd/mm/yyyy".
struct HeaderDate {
  int year = 0;  // as written: two digits in "dd/mm/yy"
  int month = 0;
  int day = 0;
  DateLayout layout = DateLayout::kDayMonthShortYear;
};
std::optional<HeaderDate> parse_header_date(std::string_view date);

// One day on (days = 1) or back (days = -1), carrying into month and year; February has 29
// days when the year is divisible by 4.
HeaderDate step_day(HeaderDate date, int days);

// The date written back in its own layout.
std::string header_date_text(const HeaderDate& date);

// A header time "h:m:s" written as hh:mm:ss ("9:4:7" gives "09:04:07").
std::string normalised_time(std::string_view text);

}  // namespace orvane::photometry

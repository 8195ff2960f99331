#include "photometry/header_time.h"

#include <algorithm>

#include "core/number_text.h"

namespace orvane::photometry {
namespace {

using core::format;
using core::val;

// Character `position` (from 1) of a card, a blank beyond its end.
char at(std::string_view card, std::size_t position) {
  return position >= 1 && position <= card.size() ? card[position - 1] : ' ';
}

// Up to `length` characters from `position` (from 1).
std::string_view part(std::string_view card, std::size_t position, std::size_t length) {
  if (position < 1 || position > card.size()) return {};
  return card.substr(position - 1, length);
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool keyword_is(std::string_view card, std::string_view keyword) {
  return part(card, 1, 8) == keyword;
}

// Position (from 1) of the first digit in columns 10..21, or 0.
std::size_t first_digit(std::string_view card) {
  for (std::size_t p = 10; p <= 21; ++p) {
    if (is_digit(at(card, p))) return p;
  }
  return 0;
}

// The date of a DATE-OBS card: from its first digit up to the closing quote (or a blank), at
// most to column 30, where the value field of a card ends.
std::string quoted_date(std::string_view card, std::size_t digit) {
  std::size_t end = digit;
  while (end <= 30 && end <= card.size() && at(card, end) != '\'' && at(card, end) != ' ') ++end;
  return std::string(part(card, digit, end - digit));
}

// A DATE-OBS holding date and time: a "T" ten characters after the first digit.
bool holds_time(std::string_view card, std::size_t digit) {
  return at(card, digit + 10) == 'T';
}

bool is_time_card(std::string_view card) {
  return keyword_is(card, "UT      ") || keyword_is(card, "JST     ") ||
         keyword_is(card, "UT-START");
}

// Eight characters from the card's first digit, normalised; empty without a digit.
std::string card_time(std::string_view card) {
  const std::size_t digit = first_digit(card);
  return digit == 0 ? std::string() : normalised_time(part(card, digit, 8));
}

double card_exposure(std::string_view card) {
  return val(part(card, 10, 21));
}

int days_in_month(int month, int year) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && year % 4 == 0) return 29;
  return kDays[month - 1];
}

double hour_of(const std::string& time) {
  return val(std::string_view(time).substr(0, 2));
}

// The date one day on, in its own layout; a date that cannot be read stays as it is.
std::string next_day(const std::string& date) {
  auto parsed = parse_header_date(date);
  return parsed ? header_date_text(step_day(*parsed, 1)) : date;
}

// The first card whose first 20 characters say the times are UTC.
bool times_are_utc(std::span<const std::string> cards) {
  return std::any_of(cards.begin(), cards.end(), [](const std::string& card) {
    return part(card, 1, 20) == "TIMESYS = 'UTC     '";
  });
}

std::string first_time_obs(std::span<const std::string> cards) {
  for (const std::string& card : cards) {
    if (keyword_is(card, "TIME-OBS")) return card_time(card);
  }
  return {};
}

// What both scans share: DATE-OBS, the time cards with the JST rule, EXPTIME. Returns true when
// a DATE-OBS gave date and time together.
bool scan_cards(std::span<const std::string> cards, ObservationTime& t) {
  bool date_and_time = false;
  for (const std::string& card : cards) {
    if (date_and_time) {
      if (keyword_is(card, "EXPTIME ")) t.exposure = card_exposure(card);
      continue;
    }
    if (keyword_is(card, "DATE-OBS")) {
      const std::size_t digit = first_digit(card);
      if (digit != 0 && holds_time(card, digit)) {
        t.date = std::string(part(card, digit, 10));
        t.time = normalised_time(part(card, digit + 11, 8));
        date_and_time = true;
        continue;
      }
      if (digit != 0) t.date = quoted_date(card, digit);
    } else if (!t.jst && is_time_card(card)) {
      if (std::string time = card_time(card); !time.empty()) t.time = time;
    } else if (keyword_is(card, "EXPTIME ")) {
      t.exposure = card_exposure(card);
    }
    if (keyword_is(card, "JST     ")) t.jst = true;
  }
  return date_and_time;
}

}  // namespace

std::span<const std::string> header_cards(const core::ImageFrame& frame) {
  const int count = std::clamp(frame.header_card_count, 0, core::ImageFrame::kHeaderSlots);
  return std::span<const std::string>(frame.header_cards).subspan(1, count);
}

std::string normalised_time(std::string_view text) {
  const std::size_t first = text.find(':');
  double hours = 0, minutes = 0, seconds = 0;
  if (first == std::string_view::npos) {
    hours = val(text);
  } else {
    hours = val(text.substr(0, first));
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) {
      minutes = val(text.substr(first + 1));
    } else {
      minutes = val(text.substr(first + 1, second - first - 1));
      seconds = val(text.substr(second + 1));
    }
  }
  return format(hours, "00") + ":" + format(minutes, "00") + ":" + format(seconds, "00");
}

ObservationTime run_header_time(std::span<const std::string> cards) {
  ObservationTime t;
  if (scan_cards(cards, t)) return t;
  if (t.time.empty()) t.time = first_time_obs(cards);
  if (t.jst && !t.time.empty() && hour_of(t.time) < 9) t.date = next_day(t.date);
  return t;
}

ObservationTime record_header_time(std::span<const std::string> cards, int time_zone) {
  ObservationTime t;
  t.date = "00/00/00";
  t.time = "00:00:00";
  if (!scan_cards(cards, t)) {
    if (t.time == "00:00:00") {
      if (std::string time = first_time_obs(cards); !time.empty()) t.time = time;
    }
    if (t.jst && times_are_utc(cards) && hour_of(t.time) < 9) {
      if (auto date = parse_header_date(t.date)) {
        HeaderDate next = step_day(*date, 1);
        next.year %= 100;
        next.layout = DateLayout::kDayMonthShortYear;
        t.date = header_date_text(next);
      }
    }
  }
  if (time_zone == 9) t.time = format(hour_of(t.time) + 9, "00") + t.time.substr(2);
  return t;
}

std::optional<HeaderDate> parse_header_date(std::string_view date) {
  const auto number = [date](std::size_t position, std::size_t length) {
    return static_cast<int>(val(date.substr(position, length)));
  };
  if (date.size() == 8) return HeaderDate{number(6, 2), number(3, 2), number(0, 2)};
  if (date.size() != 10) return std::nullopt;
  if (is_digit(date[2])) {
    return HeaderDate{number(0, 4), number(5, 2), number(8, 2), DateLayout::kYearMonthDay};
  }
  return HeaderDate{number(6, 4), number(3, 2), number(0, 2), DateLayout::kDayMonthYear};
}

HeaderDate step_day(HeaderDate date, int days) {
  // A month the calendar does not have gets no carry: only the day moves.
  if (date.month < 1 || date.month > 12) {
    date.day += days;
    return date;
  }
  const int year_span = date.layout == DateLayout::kDayMonthShortYear ? 100 : 10000;
  date.day += days;
  if (date.day > days_in_month(date.month, date.year)) {
    date.day = 1;
    if (++date.month > 12) date.month = 1, date.year = (date.year + 1) % year_span;
  } else if (date.day < 1) {
    if (--date.month < 1) date.month = 12, date.year = (date.year + year_span - 1) % year_span;
    date.day = days_in_month(date.month, date.year);
  }
  return date;
}

std::string header_date_text(const HeaderDate& date) {
  const std::string day = format(date.day, "00"), month = format(date.month, "00");
  switch (date.layout) {
    case DateLayout::kYearMonthDay:
      return format(date.year, "0000") + "-" + month + "-" + day;
    case DateLayout::kDayMonthYear:
      return day + "/" + month + "/" + format(date.year, "0000");
    default:
      return day + "/" + month + "/" + format(date.year, "00");
  }
}

}  // namespace orvane::photometry

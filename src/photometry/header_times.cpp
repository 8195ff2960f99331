#include "photometry/header_times.h"

#include <cmath>
#include <optional>

#include "core/number_text.h"
#include "photometry/astro_time.h"
#include "photometry/header_coordinates.h"
#include "photometry/header_time.h"

namespace orvane::photometry {
namespace {

std::string source(const FoundCard& card) {
  return "(card " + std::to_string(card.number) + " " + card.keyword + ")";
}

std::optional<FoundCard> card_at(std::span<const std::string> cards, std::size_t index) {
  const std::string keyword = cards[index].substr(0, cards[index].find_last_not_of(' ', 7) + 1);
  return FoundCard{static_cast<int>(index + 1), keyword, card_value(cards[index])};
}

bool keyword_is(const std::string& card, std::string_view keyword) {
  return std::string_view(card).substr(0, 8) == keyword;
}

// The cards the record's scan took its date, time and exposure from: the first DATE-OBS (a
// "T" in it gives the time too), the first JST card, else the last UT or UT-START card, else
// the first TIME-OBS; the last EXPTIME.
struct Sources {
  std::optional<FoundCard> date, time, exposure;
  bool jst = false;
  bool time_in_date = false;  // a DATE-OBS with "T" gave the time; only EXPTIME is read after
};
Sources time_sources(std::span<const std::string> cards) {
  Sources s;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    const std::string& card = cards[i];
    if (keyword_is(card, "DATE-OBS") && !s.date) {
      s.date = card_at(cards, i);
      if (s.date->value.size() > 10 && s.date->value[10] == 'T') {
        s.time = s.date;
        s.time_in_date = true;
      }
    } else if (keyword_is(card, "JST     ") && !s.jst && !s.time_in_date) {
      s.time = card_at(cards, i);
      s.jst = true;
    } else if ((keyword_is(card, "UT      ") || keyword_is(card, "UT-START")) && !s.jst &&
               !s.time_in_date) {
      s.time = card_at(cards, i);
    } else if (keyword_is(card, "EXPTIME ")) {
      s.exposure = card_at(cards, i);
    }
  }
  if (!s.time) s.time = find_card(cards, "TIME-OBS");
  return s;
}

std::string jd_text(double jd) {
  return core::format(jd, "0.00000");
}

std::string clock_text(double hours) {
  const double seconds = std::round(hours * 3600);
  return core::format(std::floor(seconds / 3600), "00") + ":" +
         core::format(std::fmod(std::floor(seconds / 60), 60), "00") + ":" +
         core::format(std::fmod(seconds, 60), "00");
}

std::string found_or_none(const std::optional<FoundCard>& card, const std::string& value) {
  return card ? value + " " + source(*card) : "none";
}

}  // namespace

std::vector<HeaderTimeRow> header_time_rows(std::span<const std::string> cards) {
  const ObservationTime t = record_header_time(cards, 0);
  const Sources s = time_sources(cards);
  std::vector<HeaderTimeRow> rows;
  rows.push_back({"date", found_or_none(s.date, t.date)});
  rows.push_back({"time", found_or_none(s.time, t.time + (s.jst ? " JST" : ""))});
  rows.push_back({"exposure", found_or_none(s.exposure, core::str_trimmed(t.exposure))});
  const auto date = parse_header_date(t.date);
  const auto star = header_star(cards);
  const auto site = header_site(cards);
  if (!s.date || !s.time || !date) {
    const std::string none = s.date ? "none (no time)" : "none (no date)";
    for (const char* label : {"mid-exposure", "jd", "hjd", "bjd_tdb", "airmass"}) {
      rows.push_back({label, none});
    }
  } else {
    const int year = date->layout == DateLayout::kDayMonthShortYear
                         ? (date->year > 80 ? 1900 : 2000) + date->year
                         : date->year;
    const double hours = core::val(t.time.substr(0, 2)) + core::val(t.time.substr(3, 2)) / 60 +
                         (core::val(t.time.substr(6, 2)) + t.exposure / 2) / 3600 - (s.jst ? 9 : 0);
    const double jd = julian_date(year, date->month, date->day, hours);
    const CalendarTime mid = calendar_time(jd);
    rows.push_back({"mid-exposure",
                    core::format(mid.year, "0000") + "-" + core::format(mid.month, "00") + "-" +
                        core::format(mid.day, "00") + " " + clock_text(mid.hours) + " UT"});
    rows.push_back({"jd", jd_text(jd)});
    const std::string no_star = "none (no coordinates)";
    rows.push_back({"hjd", star ? jd_text(heliocentric_julian_date(jd, star->position)) : no_star});
    rows.push_back(
        {"bjd_tdb", star ? jd_text(barycentric_julian_date(jd, star->position)) : no_star});
    std::string airmass = !star ? no_star : !site ? "none (no site)" : "none (below the horizon)";
    if (star && site) {
      if (auto secant = secant_zenith(jd, star->position, site->site)) {
        airmass = core::format(hardie_air_mass(*secant), "0.000");
      }
    }
    rows.push_back({"airmass", airmass});
  }
  rows.push_back({"ra", star ? star->ra.value + " " + source(star->ra) : "none"});
  rows.push_back({"dec", star ? star->dec.value + " " + source(star->dec) : "none"});
  rows.push_back({"site", site ? site->latitude.value + "," + site->longitude.value + " " +
                                     source(site->latitude) + " " + source(site->longitude)
                               : "none"});
  std::string unused;
  for (const char* keyword : {"DATE-LOC", "EXPOSURE", "DATE-AVG", "TIMESYS"}) {
    if (auto card = find_card(cards, keyword)) {
      unused += (unused.empty() ? "" : ", ") + card->keyword + " (card " +
                std::to_string(card->number) + ")";
    }
  }
  rows.push_back({"not used", unused.empty() ? "none" : unused});
  return rows;
}

}  // namespace orvane::photometry

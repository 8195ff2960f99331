#include "lightcurve/aavso_settings.h"

#include "core/number_text.h"
#include "core/text_file.h"

namespace orvane::lightcurve {
namespace {

std::string text_of(const AavsoTexts& texts, const std::string& key,
                    const std::string& fallback = {}) {
  auto found = texts.find(key);
  return found == texts.end() || found->second.empty() ? fallback : found->second;
}

}  // namespace

AavsoTexts read_aavso_settings(const std::string& path) {
  AavsoTexts texts;
  auto lines = core::read_text_lines(path);
  if (!lines) return texts;
  for (const std::string& line : *lines) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) texts[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return texts;
}

core::Status write_aavso_settings(const std::string& path, const AavsoTexts& texts) {
  std::vector<std::string> lines;
  for (const auto& [key, text] : texts) lines.push_back(key + "=" + text);
  return core::write_file_atomically(path, core::join_crlf(lines));
}

AavsoFields aavso_fields_from_texts(const AavsoTexts& texts, double now_jd,
                                    std::vector<std::string>& problems) {
  AavsoFields f;
  f.obscode = text_of(texts, "OBSCODE");
  f.starid = text_of(texts, "STARID");
  f.comp_magnitude = core::val(text_of(texts, "COMPMAG", "10.000"));
  f.band = text_of(texts, "BAND", "V");
  f.cname = text_of(texts, "CNAME");
  f.kname = text_of(texts, "KNAME");
  f.chart = text_of(texts, "CHART");
  f.notes = text_of(texts, "NOTES");
  f.date = text_of(texts, "DATE") == "HJD" ? AavsoDate::kHjd : AavsoDate::kJd;
  f.delim = text_of(texts, "DELIM", ",");
  f.time_zone = text_of(texts, "TIMEZONE") == "9" ? 9 : 0;
  f.magerr = text_of(texts, "MAGERR", "auto");
  if (f.magerr != "auto" && f.magerr != "na" &&
      f.magerr.find_first_not_of("0123456789.") != std::string::npos) {
    problems.push_back("MAGERR: auto, na or a number wanted");
  }
  f.obstype = text_of(texts, "OBSTYPE") == "DSLR" ? "DSLR" : "CCD";
  const std::string ra = text_of(texts, "RA"), dec = text_of(texts, "DEC");
  if (!ra.empty() || !dec.empty()) {
    const auto ra_degrees = photometry::parse_right_ascension(ra);
    const auto dec_degrees = photometry::parse_degrees(dec);
    if (!ra_degrees) problems.push_back("RA: HH MM SS.s or degrees wanted");
    if (!dec_degrees) problems.push_back("DEC: +DD MM SS or degrees wanted");
    if (ra_degrees && dec_degrees) f.star = photometry::SkyPosition{*ra_degrees, *dec_degrees};
  }
  if (const std::string site = text_of(texts, "SITE"); !site.empty()) {
    f.site = photometry::parse_site(site);
    if (!f.site) problems.push_back("SITE: LAT,LON in degrees wanted");
  }
  f.now_jd = now_jd;
  return f;
}

}  // namespace orvane::lightcurve

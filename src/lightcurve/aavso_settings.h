#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/result.h"
#include "lightcurve/aavso_report.h"

// The AAVSO report's fields as the dialog shows them and "orvane-aavso.ini" keeps them between
// runs: one "KEY=text" line each (OBSCODE, STARID, COMPMAG, BAND, CNAME, KNAME, CHART, NOTES,
// DATE, DELIM, RA, DEC, SITE, TIMEZONE, MAGERR, OBSTYPE, FILE). orvane.ini is not touched.
namespace orvane::lightcurve {

inline constexpr const char* kAavsoSettingsName = "orvane-aavso.ini";

using AavsoTexts = std::map<std::string, std::string>;

// The texts of the file; a missing or unreadable file gives none, a line without "=" is left out.
AavsoTexts read_aavso_settings(const std::string& path);

// Writes every text, replacing the file atomically.
core::Status write_aavso_settings(const std::string& path, const AavsoTexts& texts);

// The report fields from the texts. A text that cannot be read (RA, DEC, SITE, MAGERR) adds a
// problem naming the field and leaves that field unset.
AavsoFields aavso_fields_from_texts(const AavsoTexts& texts, double now_jd,
                                    std::vector<std::string>& problems);

}  // namespace orvane::lightcurve

// The checks of an AAVSO Extended file before it is sent: the parameters, then each data line's
// fifteen fields against the format's limits.
#include <algorithm>
#include <array>
#include <map>

#include "core/number_text.h"
#include "core/text_file.h"
#include "lightcurve/aavso_report.h"

namespace orvane::lightcurve {
namespace {

constexpr std::array<std::string_view, 6> kParameters{"TYPE",  "OBSCODE", "SOFTWARE",
                                                      "DELIM", "DATE",    "OBSTYPE"};
constexpr std::array<std::string_view, 15> kFields{
    "STARID", "DATE",  "MAGNITUDE", "MAGERR",  "FILTER", "TRANS", "MTYPE", "CNAME",
    "CMAG",   "KNAME", "KMAG",      "AIRMASS", "GROUP",  "CHART", "NOTES"};
constexpr double kJd1900 = 2415020.5;  // 1900-01-01 0 h UT

class Problems {
 public:
  explicit Problems(std::vector<std::string>& out) : out_(out) {}
  void add(std::size_t line, std::string_view field, const std::string& reason) {
    out_.push_back("line " + std::to_string(line) + ": " + std::string(field) + ": " + reason);
  }

 private:
  std::vector<std::string>& out_;
};

bool is_number(std::string_view text) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789.") == std::string_view::npos &&
         std::count(text.begin(), text.end(), '.') <= 1 &&
         text.find_first_of("0123456789") != std::string_view::npos;
}

void check_length(Problems& p, std::size_t line, std::string_view field, std::string_view value,
                  std::size_t limit) {
  if (value.size() > limit) {
    p.add(line, field, "longer than " + std::to_string(limit) + " characters");
  }
}

// "na" or a number of at most `limit` characters.
void check_optional_number(Problems& p, std::size_t line, std::string_view field,
                           std::string_view value, std::size_t limit) {
  check_length(p, line, field, value, limit);
  if (value != "na" && !is_number(value)) p.add(line, field, "neither a number nor \"na\"");
}

void check_date(Problems& p, std::size_t line, std::string_view value, double now_jd) {
  check_length(p, line, "DATE", value, 16);
  if (value.find_first_not_of("0123456789.") != std::string_view::npos ||
      std::count(value.begin(), value.end(), '.') != 1) {
    p.add(line, "DATE", "digits with one dot wanted");
    return;
  }
  const double jd = core::val(value);
  if (jd < kJd1900 || (now_jd > 0 && jd > now_jd + 1)) {
    p.add(line, "DATE", "outside 1900 to tomorrow");
  }
}

void check_fields(Problems& p, std::size_t line, const std::vector<std::string_view>& f,
                  double now_jd) {
  if (f[0].empty()) p.add(line, "STARID", "empty");
  check_length(p, line, "STARID", f[0], 30);
  check_date(p, line, f[1], now_jd);
  check_length(p, line, "MAGNITUDE", f[2], 8);
  if (!is_number(f[2]) || f[2].find('.') == std::string_view::npos) {
    p.add(line, "MAGNITUDE", "a number with a dot wanted");
  }
  check_optional_number(p, line, "MAGERR", f[3], 6);
  if (f[4] == "O") {
    p.add(line, "FILTER", "\"O\" is not taken by WebObs at present");
  } else if (!aavso_filter(f[4]) || f[4] == "Rc" || f[4] == "Ic") {
    p.add(line, "FILTER", "\"" + std::string(f[4]) + "\" is not an AAVSO filter");
  }
  if (f[5] != "YES" && f[5] != "NO") p.add(line, "TRANS", "YES or NO wanted");
  if (f[6] != "STD" && f[6] != "DIF" && f[6] != "ABS")
    p.add(line, "MTYPE", "STD, DIF or ABS wanted");
  if (f[6] == "DIF" && (f[7].empty() || f[7] == "na")) p.add(line, "CNAME", "DIF needs a CNAME");
  for (std::size_t i : {7u, 9u, 13u}) check_length(p, line, kFields[i], f[i], 20);
  check_optional_number(p, line, "CMAG", f[8], 8);
  check_optional_number(p, line, "KMAG", f[10], 8);
  check_optional_number(p, line, "AIRMASS", f[11], 7);
  check_length(p, line, "GROUP", f[12], 5);
}

std::vector<std::string_view> split(std::string_view line, char delim) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find(delim, start);
    fields.push_back(line.substr(start, end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

// The parameter lines at the top; the delimiter is empty when it cannot be used.
struct Parameters {
  std::map<std::string, std::string, std::less<>> values;
  std::size_t count = 0;  // lines they take
  std::string delim;
};

Parameters check_parameters(Problems& p, const std::vector<std::string>& lines) {
  Parameters params;
  while (params.count < lines.size() && lines[params.count].starts_with('#')) {
    const std::string& line = lines[params.count++];
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos)
      params.values[line.substr(1, equals - 1)] = line.substr(equals + 1);
  }
  for (std::size_t i = 0; i < kParameters.size(); ++i) {
    if (params.values.find(kParameters[i]) == params.values.end()) {
      p.add(std::min(i + 1, params.count + 1), kParameters[i], "missing");
    }
  }
  const auto value = [&](std::string_view key) {
    auto found = params.values.find(key);
    return found == params.values.end() ? std::string() : found->second;
  };
  const auto line_of = [&](std::string_view key) {
    for (std::size_t i = 0; i < params.count; ++i) {
      if (lines[i].starts_with("#" + std::string(key) + "=")) return i + 1;
    }
    return std::size_t{1};
  };
  if (params.values.count("TYPE") && value("TYPE") != "EXTENDED") {
    p.add(line_of("TYPE"), "TYPE", "EXTENDED wanted");
  }
  if (params.values.count("OBSCODE") && (value("OBSCODE").empty() || value("OBSCODE") == "N/A")) {
    p.add(line_of("OBSCODE"), "OBSCODE", "empty or N/A");
  }
  const std::string delim = value("DELIM") == "tab" ? "\t" : value("DELIM");
  if (params.values.count("DELIM")) {
    if (delim.size() != 1 || delim == "|" || delim == "#" || delim == " ") {
      p.add(line_of("DELIM"), "DELIM", "one character other than \"|\", \"#\" and blank wanted");
    } else {
      params.delim = delim;
    }
  }
  const std::string date = value("DATE");
  if (params.values.count("DATE") && date != "JD" && date != "HJD" && date != "EXCEL") {
    p.add(line_of("DATE"), "DATE", "JD, HJD or EXCEL wanted");
  }
  const std::string type = value("OBSTYPE");
  if (params.values.count("OBSTYPE") && type != "CCD" && type != "DSLR" && type != "PEP") {
    p.add(line_of("OBSTYPE"), "OBSTYPE", "CCD, DSLR or PEP wanted");
  }
  return params;
}

}  // namespace

std::vector<std::string> aavso_check(std::string_view text, double now_jd) {
  std::vector<std::string> out;
  Problems p(out);
  std::vector<std::string> lines = core::split_lines(text);
  const Parameters params = check_parameters(p, lines);
  for (std::size_t i = params.count; i < lines.size(); ++i) {
    const std::size_t n = i + 1;
    const std::string& line = lines[i];
    if (line.find_first_not_of(" \t") == std::string::npos) {
      p.add(n, "STARID", "blank line");
      continue;
    }
    if (line.starts_with('#')) {
      p.add(n, "STARID", "\"#\" line among the observations");
      continue;
    }
    if (std::any_of(line.begin(), line.end(), [](char c) {
          return static_cast<unsigned char>(c) >= 0x80 || (c < 0x20 && c != '\t');
        })) {
      p.add(n, "STARID", "non-ASCII character");
      continue;
    }
    if (params.delim.empty()) continue;
    if (line.find(params.delim[0]) == std::string::npos) {
      p.add(n, "STARID", "no delimiter");
      continue;
    }
    const std::vector<std::string_view> fields = split(line, params.delim[0]);
    if (fields.size() != kFields.size()) {
      p.add(n, "NOTES", std::to_string(fields.size()) + " fields, 15 wanted");
      continue;
    }
    check_fields(p, n, fields, now_jd);
  }
  if (lines.size() == params.count) p.add(params.count + 1, "STARID", "no observation");
  return out;
}

}  // namespace orvane::lightcurve

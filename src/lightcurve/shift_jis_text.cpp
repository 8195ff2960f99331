#include "lightcurve/shift_jis_text.h"

#include <iconv.h>

#include <cerrno>

namespace orvane::lightcurve {
namespace {

struct TableEntry {
  std::string_view utf8;
  std::string_view cp932;
};

// The characters of the report's fixed Japanese lines.
constexpr TableEntry kTable[] = {
    {"変", "\x95\xcf"}, {"光", "\x8c\xf5"}, {"星", "\x90\xaf"}, {"観", "\x8a\xcf"},
    {"測", "\x91\xaa"}, {"は", "\x82\xcd"}, {"順", "\x8f\x87"}, {"に", "\x82\xc9"},
    {"名", "\x96\xbc"}, {"度", "\x93\x78"}, {"者", "\x8e\xd2"}, {"略", "\x97\xaa"},
    {"号", "\x8d\x86"}, {"目", "\x96\xda"},
};

// The table entry of the character at the start of text; null when the table lacks it.
const TableEntry* table_entry(std::string_view text) {
  for (const TableEntry& e : kTable) {
    if (text.substr(0, e.utf8.size()) == e.utf8) return &e;
  }
  return nullptr;
}

core::Result<std::string> by_table(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    if (static_cast<unsigned char>(text[0]) < 0x80) {
      out += text[0];
      text.remove_prefix(1);
      continue;
    }
    const TableEntry* e = table_entry(text);
    if (e == nullptr) return core::Error{"not in table"};
    out += e->cp932;
    text.remove_prefix(e->utf8.size());
  }
  return out;
}

core::Result<std::string> by_iconv(std::string_view text) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    return core::Error{"the system has no Shift-JIS converter"};
  }
  std::string input(text);
  std::string out(input.size() * 2 + 4, '\0');
  char* in_ptr = input.data();
  std::size_t in_left = input.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const std::size_t done = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || in_left != 0) {
    return core::Error{"it holds characters that Shift-JIS cannot hold"};
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

bool is_ascii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

core::Result<std::string> to_shift_jis(std::string_view utf8) {
  if (auto converted = by_table(utf8)) return converted;
  return by_iconv(utf8);
}

}  // namespace orvane::lightcurve

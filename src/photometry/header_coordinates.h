#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "photometry/astro_time.h"

// Where a frame was pointed and where it was taken, as its header cards say.
namespace orvane::photometry {

// A card found in the header: its number (from 1) and keyword, and its value as text.
struct FoundCard {
  int number = 0;
  std::string keyword;
  std::string value;
};

// The value of a card: the text between its quotes (trailing blanks dropped), else the text
// after "= " up to a "/" comment, trimmed.
std::string card_value(std::string_view card);

// The first card with the keyword (up to 8 characters, compared blank-padded).
std::optional<FoundCard> find_card(std::span<const std::string> cards, std::string_view keyword);

// The star from OBJCTRA/OBJCTDEC ("HH MM SS.s", "+DD MM SS"), else RA/DEC (sexagesimal text
// or a number of degrees), with the cards used. Header coordinates give the telescope's
// pointing: 0.1 degree off the star moves the heliocentric time by up to 0.9 s.
struct HeaderStar {
  SkyPosition position;
  FoundCard ra;
  FoundCard dec;
};
std::optional<HeaderStar> header_star(std::span<const std::string> cards);

// The site from SITELAT/SITELONG in degrees (numbers or sexagesimal text). SITELONG is taken
// east positive; writers do not agree on its sign.
struct HeaderSite {
  Site site;
  FoundCard latitude;
  FoundCard longitude;
};
std::optional<HeaderSite> header_site(std::span<const std::string> cards);

}  // namespace orvane::photometry

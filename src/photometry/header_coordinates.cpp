#include "photometry/header_coordinates.h"

namespace orvane::photometry {
namespace {

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string padded_keyword(std::string_view keyword) {
  std::string padded(keyword);
  padded.resize(8, ' ');
  return padded;
}

// Right ascension and declination from a pair of cards, both found and both readable.
std::optional<HeaderStar> star_from(std::span<const std::string> cards, std::string_view ra_key,
                                    std::string_view dec_key) {
  auto ra_card = find_card(cards, ra_key);
  auto dec_card = find_card(cards, dec_key);
  if (!ra_card || !dec_card) return std::nullopt;
  const auto ra = parse_right_ascension(ra_card->value);
  const auto dec = parse_degrees(dec_card->value);
  if (!ra || !dec) return std::nullopt;
  return HeaderStar{{*ra, *dec}, *ra_card, *dec_card};
}

}  // namespace

std::string card_value(std::string_view card) {
  if (card.size() <= 10 || card.substr(8, 2) != "= ") return {};
  std::string_view value = card.substr(10);
  const std::size_t open = value.find_first_not_of(' ');
  if (open != std::string_view::npos && value[open] == '\'') {
    const std::size_t close = value.find('\'', open + 1);
    value = value.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
    return std::string(trimmed(value));
  }
  return std::string(trimmed(value.substr(0, value.find('/'))));
}

std::optional<FoundCard> find_card(std::span<const std::string> cards, std::string_view keyword) {
  const std::string key = padded_keyword(keyword);
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (std::string_view(cards[i]).substr(0, 8) == key) {
      return FoundCard{static_cast<int>(i + 1), std::string(trimmed(key)), card_value(cards[i])};
    }
  }
  return std::nullopt;
}

std::optional<HeaderStar> header_star(std::span<const std::string> cards) {
  if (auto star = star_from(cards, "OBJCTRA", "OBJCTDEC")) return star;
  return star_from(cards, "RA", "DEC");
}

std::optional<HeaderSite> header_site(std::span<const std::string> cards) {
  auto latitude_card = find_card(cards, "SITELAT");
  auto longitude_card = find_card(cards, "SITELONG");
  if (!latitude_card || !longitude_card) return std::nullopt;
  const auto latitude = parse_degrees(latitude_card->value, 90);
  const auto longitude = parse_degrees(longitude_card->value, 180);
  if (!latitude || !longitude) return std::nullopt;
  return HeaderSite{{*latitude, *longitude}, *latitude_card, *longitude_card};
}

}  // namespace orvane::photometry

#pragma once

// Which picture format a file name asks for. Kept free of Qt and inline: orvane-cli checks the
// name of a picture before it loads its picture module, and with it Qt.
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace orvane::picture {

// "PNG", "BMP" or "JPG" from the extension of path's file-name part: png, bmp, jpg or jpeg in
// any letter case. Empty for anything else, a dot in a folder name included.
inline std::optional<std::string> picture_format(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "png") return "PNG";
  if (extension == "bmp") return "BMP";
  if (extension == "jpg" || extension == "jpeg") return "JPG";
  return {};
}

}  // namespace orvane::picture

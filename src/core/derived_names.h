#pragma once

// Names of the files the program writes beside another one: the picture of a frame, the JPEG of
// a picture, the three profile files of a spectrum.
#include <string>

namespace orvane::core {

// path with the last extension of its file-name part replaced by extension (".bmp", ".txt",
// "-inv.djm"); a dot in a folder name is never taken, and a name without a dot gets the
// extension added.
std::string derived_name(const std::string& path, const std::string& extension);

// The part after the last '/', the whole path when it has none.
std::string file_name_part(const std::string& path);

}  // namespace orvane::core

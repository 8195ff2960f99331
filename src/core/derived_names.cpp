#include "core/derived_names.h"

namespace orvane::core {

std::string file_name_part(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string derived_name(const std::string& path, const std::string& extension) {
  const auto slash = path.find_last_of('/');
  const auto name_start = slash == std::string::npos ? 0 : slash + 1;
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < name_start) return path + extension;
  return path.substr(0, dot) + extension;
}

}  // namespace orvane::core

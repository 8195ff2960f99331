#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "picture_module.h"

namespace orvane::cli {
namespace {

// The folder the running tool lives in.
std::string own_folder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  const std::string exe(path, static_cast<std::size_t>(length));
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "." : exe.substr(0, slash);
}

core::Result<const PictureFunctions*> load() {
  const std::string module = own_folder() + "/orvane-cli-pictures.so";
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = ::dlerror();
    return core::Error{"pictures cannot be written: " + module + " cannot be loaded (" +
                       (reason ? reason : "unknown reason") + ")"};
  }
  using Entry = const PictureFunctions* (*)();
  auto entry = reinterpret_cast<Entry>(::dlsym(handle, "orvane_picture_functions"));
  if (entry == nullptr) {
    return core::Error{"pictures cannot be written: " + module + " is not the tool's module"};
  }
  return entry();
}

}  // namespace

core::Result<const PictureFunctions*> picture_functions() {
  static const core::Result<const PictureFunctions*> kLoaded = load();
  return kLoaded;
}

}  // namespace orvane::cli

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>

#include "picture_module.h"

namespace orvane::cli {
namespace {

// The module's file: beside the running tool in the build tree, otherwise in the library folder
// the package installs it to, relative to the tool's folder.
std::string module_path() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  const std::string exe(path, static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
  const std::size_t slash = exe.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : exe.substr(0, slash);
  const std::string beside = folder + "/orvane-cli-pictures.so";
  if (::access(beside.c_str(), F_OK) == 0) return beside;
  return folder + "/" ORVANE_INSTALLED_MODULE_FOLDER "/orvane-cli-pictures.so";
}

core::Result<const PictureFunctions*> load() {
  const std::string module = module_path();
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

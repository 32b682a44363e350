// SETUP.INI bytes: read, write back, read again; after one round the script must be stable.
// No value may hold a line end, and every path the script gives that is accepted must stay
// inside the package folder or the device root.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installer/InstallScript.h"
#include "installer/ScriptPaths.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace {

using vigil::installer::InstallScript;

std::string Line(std::string_view key, std::string_view value) {
  return std::string(key) + vigil::platform::Utf8ToCp1252(value) + "\r\n";
}

std::string Written(const InstallScript& s) {
  std::string out = "[PRODUCT]\r\n" + Line("NAME=", s.productName) + Line("VERSION=", s.version);
  out +=
      "[CAB]\r\n" + Line("PATH=\\", s.cabinetPath) + Line("SIZE=", vigil::platform::FormatInt(s.neededBytes));
  for (const std::string& d : s.deletePaths) out += Line("DELETE=", d);
  out += "[FINISH]\r\n" + Line("MESSAGE=", s.finishMessage) + Line("PATH=\\", s.finishPath);
  out += "[TOOL]\r\n" + Line("MESSAGE=", s.toolMessage) + Line("PATH=\\", s.toolPath);
  if (s.overwriteBasicSettings) out += "[OVERWRITE]\r\nFLG1=TRUE\r\n";
  return out;
}

bool Same(const InstallScript& a, const InstallScript& b) {
  return a.productName == b.productName && a.version == b.version && a.cabinetPath == b.cabinetPath &&
         a.neededBytes == b.neededBytes && a.deletePaths == b.deletePaths &&
         a.finishMessage == b.finishMessage && a.finishPath == b.finishPath &&
         a.toolMessage == b.toolMessage && a.toolPath == b.toolPath &&
         a.overwriteBasicSettings == b.overwriteBasicSettings;
}

bool HasLineEnd(const InstallScript& s) {
  for (const std::string* v : {&s.productName, &s.version, &s.cabinetPath, &s.finishMessage, &s.finishPath,
                               &s.toolMessage, &s.toolPath}) {
    if (v->find('\n') != std::string::npos) return true;
  }
  for (const std::string& d : s.deletePaths) {
    if (d.find('\n') != std::string::npos) return true;
  }
  return false;
}

bool Inside(const std::filesystem::path& path, const std::filesystem::path& base) {
  const std::filesystem::path rel = path.lexically_normal().lexically_relative(base);
  return !rel.empty() && *rel.begin() != ".." && !rel.is_absolute();
}

void CheckPaths(const InstallScript& s) {
  const std::filesystem::path pkg = "/pkg";
  const vigil::platform::Paths paths(pkg, "/device");
  for (const std::string* v : {&s.cabinetPath, &s.finishPath, &s.toolPath}) {
    const auto p = vigil::installer::PackageProgramPath(pkg, *v);
    if (p && !Inside(*p, pkg)) std::abort();
  }
  for (const std::string& d : s.deletePaths) {
    const auto t = vigil::installer::DeleteLineTarget(paths, d);
    if (t && !Inside(t->path, "/device")) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vigil::installer::ParseInstallScript;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const InstallScript first = ParseInstallScript(bytes);
  if (HasLineEnd(first)) std::abort();
  CheckPaths(first);
  const InstallScript second = ParseInstallScript(Written(first));
  const InstallScript third = ParseInstallScript(Written(second));
  if (!Same(second, third)) std::abort();
  return 0;
}

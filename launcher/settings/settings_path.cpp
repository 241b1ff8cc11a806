// The settings file's path from the module file name.

#include <cstddef>
#include <initializer_list>
#include <string>

#include "launcher/settings/settings_store.h"

namespace vexlo {

namespace {

// The parts of a name, each as _wsplitpath_s leaves it in a 260-character
// buffer (terminator included).
constexpr std::size_t kPartCapacity = 260;

struct PathParts {
  std::wstring drive;  // "C:" or empty
  std::wstring dir;    // up to and including the last separator
  std::wstring fname;
  std::wstring ext;    // from the last dot of the file part
};

// False where _wsplitpath_s fails because a part does not fit its buffer.
bool splitPath(const std::wstring& name, PathParts& parts) {
  std::size_t rest = 0;
  if (name.size() >= 2 && name[1] == L':') rest = 2;
  const std::size_t lastSeparator = name.find_last_of(L"\\/");
  const std::size_t fileStart = (lastSeparator == std::wstring::npos || lastSeparator < rest) ? rest : lastSeparator + 1;
  const std::size_t lastDot = name.find_last_of(L'.');
  const std::size_t extStart = (lastDot == std::wstring::npos || lastDot < fileStart) ? name.size() : lastDot;
  parts.drive = name.substr(0, rest);
  parts.dir = name.substr(rest, fileStart - rest);
  parts.fname = name.substr(fileStart, extStart - fileStart);
  parts.ext = name.substr(extStart);
  for (const std::wstring* part : {&parts.drive, &parts.dir, &parts.fname, &parts.ext}) {
    if (part->size() >= kPartCapacity) return false;
  }
  return true;
}

}  // namespace

std::wstring makeSettingsPath(const std::wstring& moduleFileName) {
  PathParts parts;
  // An unreadable or unsplittable name gives no path rather than a relative
  // "Vexlo.ini" that Windows would look for in its own directory.
  if (moduleFileName.empty() || !splitPath(moduleFileName, parts)) return std::wstring();
  return parts.drive + parts.dir + kSettingsFileName;
}

}  // namespace vexlo

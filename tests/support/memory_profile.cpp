#include "tests/support/memory_profile.h"

namespace vexlo::test {

std::wstring MemoryProfile::readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                       std::size_t capacity, const std::wstring& path) {
  reads.push_back({section, key, defaultValue ? defaultValue : L"", capacity, path});
  const ProfileEntry* entry = find(path, section, key);
  std::wstring value = entry ? entry->value : reads.back().defaultValue;
  if (capacity == 0) return std::wstring();
  if (value.size() > capacity - 1) value.resize(capacity - 1);
  return value;
}

void MemoryProfile::writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                const std::wstring& path) {
  writes.push_back({path, section, key, value});
  set(path, section, key, value);
}

void MemoryProfile::set(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  if (const ProfileEntry* entry = find(path, section, key)) {
    const_cast<ProfileEntry*>(entry)->value = value;
    return;
  }
  entries.push_back({path, section, key, value});
}

const ProfileEntry* MemoryProfile::find(const std::wstring& path, const std::wstring& section,
                                        const std::wstring& key) const {
  for (const ProfileEntry& entry : entries) {
    if (entry.path == path && entry.section == section && entry.key == key) return &entry;
  }
  return nullptr;
}

FileText MemoryProfile::fileText(const std::wstring& path) {
  const auto known = texts.find(path);
  if (known != texts.end()) return known->second;
  return hasFile(path) ? FileText::kAnsi : FileText::kNone;
}

bool MemoryProfile::ansiHolds(const std::wstring& text) {
  for (wchar_t c : text) {
    const bool held = c < 0x80 || (c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
                      (c >= 0xFF00 && c <= 0xFFEF);
    if (!held) return false;
  }
  return true;
}

bool MemoryProfile::makeUnicode(const std::wstring& path, FileText from, const wchar_t* what) {
  if (fileText(path) != from) return false;
  fileChanges.push_back({what, path, writes.size()});
  texts[path] = FileText::kUnicode;
  return true;
}

bool MemoryProfile::hasFile(const std::wstring& path) const {
  const auto known = texts.find(path);
  if (known != texts.end() && known->second != FileText::kNone) return true;
  for (const ProfileEntry& entry : entries) {
    if (entry.path == path) return true;
  }
  return false;
}

}  // namespace vexlo::test

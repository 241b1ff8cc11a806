#include "launcher/settings/settings_file_text.h"

#include <cstdint>

namespace vexlo {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

constexpr std::uint32_t kFirstBeyond16Bits = 0x10000;
constexpr std::uint32_t kHighSurrogateBase = 0xD800;
constexpr std::uint32_t kLowSurrogateBase = 0xDC00;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr std::uint32_t kReplacementCharacter = 0xFFFD;

bool startsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

void appendUnit(std::string& out, std::uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>((unit >> 8) & 0xFF);
}

}  // namespace

FileText fileTextOf(std::string_view firstBytes) {
  for (std::string_view mark : {kUtf16LeMark, kUtf16BeMark, kUtf8Mark}) {
    if (startsWith(firstBytes, mark)) return FileText::kUnicode;
  }
  return FileText::kAnsi;
}

FilePreparation preparationFor(FileText text, bool ansiHoldsEveryValue) {
  switch (text) {
    case FileText::kNone:
      return FilePreparation::kCreateUnicode;
    case FileText::kAnsi:
      return ansiHoldsEveryValue ? FilePreparation::kNone : FilePreparation::kConvertToUnicode;
    case FileText::kUnicode:
    case FileText::kUnreadable:
      break;
  }
  return FilePreparation::kNone;
}

std::string unicodeFileBytes(std::wstring_view text) {
  std::string out(kUtf16LeMark);
  for (wchar_t c : text) {
    auto code = static_cast<std::uint32_t>(c);
    if (code > kLastCodePoint) code = kReplacementCharacter;
    if (code < kFirstBeyond16Bits) {
      appendUnit(out, code);
    } else {
      appendUnit(out, kHighSurrogateBase + ((code - kFirstBeyond16Bits) >> 10));
      appendUnit(out, kLowSurrogateBase + ((code - kFirstBeyond16Bits) & 0x3FF));
    }
  }
  return out;
}

}  // namespace vexlo

#pragma once
// The launcher's settings and lock target in memory, shared by routing,
// enlargement, switching, lock-on and the settings dialog. Both records are
// parts of the launcher's one record (launcher/launcher.h).

#include <cstdint>
#include <string>

namespace vexlo {

using WindowHandle = std::uintptr_t;

inline constexpr std::int32_t kMinDialogWidth = 654;
inline constexpr std::int32_t kMinDialogHeight = 381;

// The operating mode, stored as its number. Only direct input changes
// routing; the other two behave alike.
enum class Mode : std::int32_t {
  kHdusEmulation = 0,
  kDirectInput = 1,
  kDirectInputForegroundOnly = 2,
};

// The flags hold whatever the file held: the dialog writes 0 or 1, a
// hand-edited file may hold more. Each rule that reads one says how.
struct LauncherState {
  Mode mode = Mode::kHdusEmulation;
  std::int32_t ignoreCursor = 0;  // edited and saved; nothing acts on it
  std::uint32_t remoteMessage = 0;
  WindowHandle lockedTarget = 0;  // not saved
  std::int32_t dialogWidth = kMinDialogWidth;
  std::int32_t dialogHeight = kMinDialogHeight;
  std::int32_t dialogExpand = 0;
};

// Kept beside the record.
struct LauncherSettings {
  std::int32_t switchByOnair = 0;
  std::int32_t powerOnLaunch = 0;
  std::wstring viewerPath;
  std::wstring viewerOptions;
};

}  // namespace vexlo

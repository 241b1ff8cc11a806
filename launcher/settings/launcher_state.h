#pragma once
// The launcher's settings and lock target in memory, shared by routing,
// enlargement, switching, lock-on and the settings dialog. Created by the
// shell at window creation, released at teardown.

#include <cstdint>
#include <string>

namespace vexlo {

using WindowHandle = std::uintptr_t;

inline constexpr std::int32_t kMinDialogWidth = 654;
inline constexpr std::int32_t kMinDialogHeight = 381;

struct LauncherState {
  std::int32_t mode = 0;          // 0 HDUS emulation, 1 direct input, 2 direct input (foreground only)
  std::int32_t ignoreCursor = 0;  // edited and saved; nothing acts on it
  std::uint32_t remoteMessage = 0;
  WindowHandle lockedTarget = 0;  // not saved
  std::int32_t dialogWidth = kMinDialogWidth;
  std::int32_t dialogHeight = kMinDialogHeight;
  std::int32_t dialogExpand = 0;
};

// Kept beside the record, also process-wide.
struct LauncherSettings {
  std::int32_t switchByOnair = 0;
  std::int32_t powerOnLaunch = 0;
  std::wstring viewerPath;
  std::wstring viewerOptions;
};

extern LauncherState* g_state;
extern LauncherSettings* g_settings;

inline LauncherState& launcherState() { return *g_state; }
inline LauncherSettings& launcherSettings() { return *g_settings; }

}  // namespace vexlo

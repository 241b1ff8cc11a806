#pragma once
// The launcher's one record of process-wide state, reached through
// launcher(). The program's entry installs the seams; window creation fills
// the rest and teardown marks the record stopped. Nothing in it is released
// before the process ends, so a message that arrives after teardown, or a
// press that teardown interrupted, finds a stopped record and never freed
// memory.

#include <cstdint>
#include <string>

#include "launcher/receiver.h"
#include "launcher/settings/launcher_state.h"

namespace vexlo {

class WindowSystem;
class LockOnPlatform;
class Profile;

using HookHandle = std::uintptr_t;    // 0: none
using MenuHandle = std::uintptr_t;    // 0: none (a menu that failed to load)
using ModuleHandle = std::uintptr_t;  // the program's module instance

// What the notification area was given; the Windows record is built from it
// for each call.
struct TrayIcon {
  WindowHandle window = 0;
  std::uintptr_t icon = 0;
  bool added = false;
};

struct Launcher {
  // Seams, installed before the main window is created.
  WindowSystem* windowSystem = nullptr;
  LockOnPlatform* lockOnPlatform = nullptr;
  Profile* profile = nullptr;
  ModuleHandle module = 0;

  // From window creation on.
  bool running = false;  // from the end of creation until teardown begins
  LauncherState state;
  LauncherSettings settings;
  ReceiverFilter receiverFilter;
  std::wstring settingsPath;
  MenuHandle menu = 0;
  TrayIcon tray;
  HookHandle mouseHook = 0;   // set while a lock-on pick is in progress
  WindowHandle hookOwner = 0;  // receives the picked click
  std::uint32_t taskbarCreated = 0;  // sent when the notification area is recreated
};

Launcher& launcher();

}  // namespace vexlo

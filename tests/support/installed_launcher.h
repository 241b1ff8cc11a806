#pragma once
// Gives a test the launcher's record as window creation leaves it: every
// value fresh, the remote message registered, the launcher running, and the
// test's own seams installed. The record that was there before comes back
// when the object goes.

#include <string>
#include <utility>

#include "launcher/launcher.h"
#include "launcher/window_system.h"
#include "shared/remote_protocol.h"

namespace vexlo::test {

// What a test puts in place of Windows; those it leaves out stay none.
struct Seams {
  explicit Seams(WindowSystem* windows, LockOnPlatform* lockOn = nullptr, Profile* profile = nullptr,
                 std::wstring path = {})
      : windowSystem(windows), lockOnPlatform(lockOn), profile(profile), settingsPath(std::move(path)) {}

  WindowSystem* windowSystem;
  LockOnPlatform* lockOnPlatform;
  Profile* profile;
  std::wstring settingsPath;
};

class InstalledLauncher {
 public:
  explicit InstalledLauncher(Seams seams) : previous_(std::move(launcher())) {
    Launcher& l = launcher();
    l = Launcher{};
    l.windowSystem = seams.windowSystem;
    l.lockOnPlatform = seams.lockOnPlatform;
    l.profile = seams.profile;
    l.settingsPath = std::move(seams.settingsPath);
    if (l.windowSystem) l.state.remoteMessage = l.windowSystem->registerWindowMessage(kRemoteMessageName);
    l.running = true;
  }
  ~InstalledLauncher() { launcher() = std::move(previous_); }
  InstalledLauncher(const InstalledLauncher&) = delete;
  InstalledLauncher& operator=(const InstalledLauncher&) = delete;

 private:
  Launcher previous_;
};

}  // namespace vexlo::test

#pragma once
// Points the store's process-wide objects at a test's own, for the life of
// the object, as the shell does between window creation and teardown.

#include <string>

#include "launcher/settings/launcher_state.h"
#include "launcher/settings/profile.h"
#include "launcher/settings/settings_store.h"

namespace vexlo::test {

struct InstalledStore {
  InstalledStore(LauncherState& state, LauncherSettings& settings, Profile& profile, std::wstring& path) {
    g_state = &state;
    g_settings = &settings;
    g_profile = &profile;
    g_settingsPath = &path;
  }
  ~InstalledStore() {
    g_state = nullptr;
    g_settings = nullptr;
    g_profile = nullptr;
    g_settingsPath = nullptr;
  }
  InstalledStore(const InstalledStore&) = delete;
  InstalledStore& operator=(const InstalledStore&) = delete;
};

}  // namespace vexlo::test

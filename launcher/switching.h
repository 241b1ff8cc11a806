#pragma once
// The launcher-level buttons: power starts the viewer when none runs, on-air
// brings the next running viewer instance to the front.

#include <cstdint>
#include <string>

#include "launcher/window_system.h"

namespace vexlo {

// true when the code was consumed here, false when it is to be routed.
bool specialButton(std::uint16_t code);

// The next viewer instance by process id (wrapping to the lowest), or the
// visible open-file dialog of that instance; 0 when no viewer runs.
WindowHandle findSwitchTarget();

void forceForeground(WindowHandle window);

// Starts the stored viewer executable with the stored options, when it exists.
void launchViewer();

// The path in double quotes, so that a path with spaces names one file, then
// one space and the options unless they are empty.
std::wstring viewerCommandLine(const std::wstring& path, const std::wstring& options);

}  // namespace vexlo

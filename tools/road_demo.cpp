// The demo of `tools/run`: a TVTest stand-in with the real plugin, and a
// scripted series of presses through the launcher's button handling. For
// each press it prints the road taken and what the stand-in received.
//
//   road_demo.exe STANDIN_EXE PLUGIN_FILE [VEXLO_EXE [receiver]]
//
// With VEXLO_EXE it starts the real launcher from a folder of its own and
// ends it through its exit command. With "receiver" as well, the presses go
// through the virtual GV-RCKIT3 receiver into that launcher.

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "launcher/button_handling.h"
#include "launcher/routing.h"
#include "launcher/settings/launcher_state.h"
#include "plugin/button_table.h"
#include "shared/remote_protocol.h"
#include "tests/support/in_process_launcher.h"
#include "tests/support/launcher_process.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"
#ifdef VEXLO_DEMO_RECEIVER
#include "tests/hid/receiver_control.h"
#include "tests/hid/virtual_receiver.h"
#endif

namespace {

using vexlo::test::StandIn;

std::string buttonName(std::uint8_t code) {
  int index = vexlo2::FindButtonIndex(code);
  return index < 0 ? "(no button)" : vexlo::test::utf8(vexlo2::kButtonTable[index].descriptor.pszName);
}

// The road routing decides for the press, in words: routing's own decision,
// made over this process's record (the launcher has the same settings).
std::string describeRoute(std::uint8_t code) {
  using vexlo::RouteChoice;
  using vexlo::RouteForm;
  const vexlo::RouteDecision d = vexlo::decideRoute(code);
  const std::string how = d.choice == RouteChoice::kLocked   ? "locked"
                          : d.choice == RouteChoice::kDirect ? "direct"
                                                             : "mode " + std::to_string(static_cast<int>(
                                                                             vexlo::launcher().state.mode)) +
                                                                   ", no lock";
  const std::string key = d.key ? "key stroke" : "no key: dropped";
  switch (d.form) {
    case RouteForm::kDialogKeys:
      return how + ": open-file dialog: " + (d.enlargeDialog ? "enlarge dialog, " : "") + key;
    case RouteForm::kChannelDisplayKeys:
      return how + ": channel display: " + key;
    case RouteForm::kRemoteMessage:
      return how + ": remote message to the TVTest window";
    case RouteForm::kNothing:
      break;
  }
  if (d.choice == RouteChoice::kLocked) return how + ": mAgicTV in front: dropped";
  return how + (d.choice == RouteChoice::kDirect ? ": no viewer: dropped" : ": dropped");
}

// New log lines after `offset`, waiting a little for the first one.
std::string receivedSince(const std::wstring& log, std::size_t& offset, DWORD waitMs) {
  DWORD start = GetTickCount();
  std::string all;
  do {
    all = vexlo::test::readLog(log);
    if (all.size() > offset) break;
    Sleep(5);
  } while (GetTickCount() - start < waitMs);
  std::string fresh = all.size() > offset ? all.substr(offset) : "";
  offset = all.size();
  while (!fresh.empty() && fresh.back() == '\n') fresh.pop_back();
  for (std::size_t at = 0; (at = fresh.find('\n', at)) != std::string::npos; at += 3) fresh.replace(at, 1, " | ");
  return fresh.empty() ? "nothing" : fresh;
}

// Pads to a column width, counting a Japanese character as two columns.
std::string padded(const std::string& text, std::size_t columns) {
  std::size_t width = 0;
  for (unsigned char c : text) {
    if (c < 0x80) width += 1;
    else if (c >= 0xE0) width += 2;  // lead byte of a three-byte sequence
  }
  return width >= columns ? text + " " : text + std::string(columns - width, ' ');
}

// With the virtual receiver the presses travel as HID reports into the real
// launcher; without it they go straight into the launcher's button handling.
HANDLE g_receiver = INVALID_HANDLE_VALUE;

void pressButton(std::uint8_t code) {
#ifdef VEXLO_DEMO_RECEIVER
  if (g_receiver != INVALID_HANDLE_VALUE) {
    vexlo::test::sendCode(g_receiver, code);
    vexlo::test::sendCode(g_receiver, 0);  // release, so that the next press is a new one
    return;
  }
#endif
  vexlo::handleButton(code);
}

void press(const StandIn& viewer, std::size_t& offset, std::uint8_t code) {
  std::string route = describeRoute(code);
  bool delivers = route.find("dropped") == std::string::npos;
  pressButton(code);
  std::string got = receivedSince(viewer.logPath, offset, delivers ? 2000 : 300);
  std::printf("  0x%02X %s%s-> %s\n", code, padded(buttonName(code), 16).c_str(), padded(route, 58).c_str(),
              got.c_str());
  std::fflush(stdout);
}

void scene(const char* title) {
  std::printf("\n%s\n", title);
  std::fflush(stdout);
}

// The real launcher in a folder of its own beside a Vexlo.ini of the demo's
// settings, up with its hidden window "VEXLO".
bool startLauncher(vexlo::test::LauncherProcess& launcher) {
  launcher.prepareIni({{L"ZIZU_MODE", L"00000001"}, {L"BFDialogExpand", L"00000001"},
                       {L"BFDialogWidth", L"00000320"}, {L"BFDialogHeight", L"00000258"}});
  if (!launcher.start()) return false;
  std::printf("Vexlo.exe running (process %lu): hidden window \"VEXLO\", visible=%d\n", launcher.processId(),
              IsWindowVisible(launcher.mainWindow()) ? 1 : 0);
  return true;
}

// The exit command; the launcher saves its settings and ends, or is ended.
bool endLauncher(std::optional<vexlo::test::LauncherProcess>& launcher) {
  if (!launcher) return true;
  const DWORD code = launcher->exitByCommand();
  const bool ended = code != vexlo::test::LauncherProcess::kNoExit;
  if (ended) {
    std::printf("Vexlo.exe ended by its exit command: exit code %lu, Vexlo.ini saved (BFDialogWidth=%s)\n", code,
                vexlo::test::utf8(launcher->iniValue(L"BFDialogWidth")).c_str());
  }
  launcher.reset();
  return ended;
}

}  // namespace

int main() {
  vexlo::test::endChildrenWithThisProcess();  // no stand-in outlives the run
  std::wstring standInExe = vexlo::test::commandLineArgument(1), pluginFile = vexlo::test::commandLineArgument(2);
  vexlo::test::InProcessLauncher launcher;
  vexlo::LauncherState& state = launcher.state;
  vexlo::test::ScratchDirectory scratch(L"vexlo-demo");
  const std::wstring& dir = scratch.path();
  std::wstring launcherExe = vexlo::test::commandLineArgument(3);
  bool throughReceiver = vexlo::test::commandLineArgument(4) == L"receiver";
  std::optional<vexlo::test::LauncherProcess> real;
  if (!launcherExe.empty()) {
    real.emplace(launcherExe, L"vexlo demo launcher");
    if (!startLauncher(*real)) {
      std::printf("demo: Vexlo.exe did not come up\n");
      return 1;
    }
  }
#ifdef VEXLO_DEMO_RECEIVER
  if (throughReceiver) g_receiver = vexlo::test::openVirtualDevice(VR_RECEIVER_VENDOR_ID, 10000);
#endif
  if (throughReceiver && g_receiver == INVALID_HANDLE_VALUE) {
    std::printf("demo: the virtual receiver is not there\n");
    endLauncher(real);
    return 1;
  }
  if (g_receiver != INVALID_HANDLE_VALUE) {
    std::printf("Presses go as HID reports through the virtual GV-RCKIT3 receiver into Vexlo.exe\n");
    // The in-process state only describes the road; the launcher has the same settings.
    state.mode = vexlo::Mode::kDirectInput;
    state.dialogExpand = 1;
    state.dialogWidth = 800;
    state.dialogHeight = 600;
  } else if (!endLauncher(real)) {
    std::printf("demo: Vexlo.exe did not end by its exit command\n");
    return 1;
  }

  StandIn plain;
  if (!vexlo::test::startStandIn(standInExe, dir + L"\\plain.log", L"--plugin=\"" + pluginFile + L"\"", plain)) {
    std::printf("demo: the TVTest stand-in did not start\n");
    return 1;
  }
  std::size_t offset = 0;
  receivedSince(plain.logPath, offset, 0);
  std::printf("TVTest stand-in running (process %lu) with Vexlo2.tvtp registered as controller GV-RCKIT3\n",
              plain.processId);

  scene("Direct input mode (1): each press becomes a controller button of the plugin");
  state.mode = vexlo::Mode::kDirectInput;
  for (std::uint8_t code : {0x0F, 0x10, 0x06, 0x24, 0x0A, 0x30, 0x21, 0x01}) press(plain, offset, code);

  if (g_receiver != INVALID_HANDLE_VALUE) {
#ifdef VEXLO_DEMO_RECEIVER
    scene("Holding チャンネル3: seven identical reports, the launcher passes the first and the seventh");
    for (int i = 0; i < 7; ++i) vexlo::test::sendCode(g_receiver, 0x11);
    vexlo::test::sendCode(g_receiver, 0);
    std::printf("  0x11 x7 -> %s\n", receivedSince(plain.logPath, offset, 2000).c_str());
    Sleep(300);
    std::printf("           %s\n", receivedSince(plain.logPath, offset, 300).c_str());
#endif
  } else {
    scene("HDUS emulation mode (0) without a lock: routed presses go nowhere");
    state.mode = vexlo::Mode::kHdusEmulation;
    press(plain, offset, 0x0F);

    scene("Locked onto the stand-in, in mode 0");
    state.lockedTarget = reinterpret_cast<vexlo::WindowHandle>(plain.window);
    press(plain, offset, 0x11);
    state.lockedTarget = 0;
  }
  vexlo::test::stopStandIn(plain);

  StandIn dialog;
  if (!vexlo::test::startStandIn(standInExe, dir + L"\\dialog.log", L"--plugin=\"" + pluginFile + L"\" --open-dialog",
                         dialog)) {
    std::printf("demo: the stand-in with its dialog did not start\n");
    return 1;
  }
  offset = 0;
  receivedSince(dialog.logPath, offset, 0);
  scene("The stand-in shows \"ファイルを開く\" (direct input, enlargement on at 800 x 600)");
  state.mode = vexlo::Mode::kDirectInput;
  state.dialogExpand = 1;
  state.dialogWidth = 800;
  state.dialogHeight = 600;
  if (g_receiver != INVALID_HANDLE_VALUE) {
    // Wine gives the dialog's thread a queue without focus once the launcher
    // process detaches its input again, so only the first stroke from the
    // real launcher finds the focused control there.
    for (std::uint8_t code : {0x22, 0x0F}) press(dialog, offset, code);
  } else {
    for (std::uint8_t code : {0x22, 0x18, 0x1F, 0x0F}) press(dialog, offset, code);
  }
  RECT rect{};
  GetWindowRect(dialog.dialog, &rect);
  std::printf("  dialog size now %ld x %ld\n", rect.right - rect.left, rect.bottom - rect.top);
  vexlo::test::stopStandIn(dialog);

  StandIn display;
  if (!vexlo::test::startStandIn(standInExe, dir + L"\\display.log",
                         L"--plugin=\"" + pluginFile + L"\" --channel-display", display)) {
    std::printf("demo: the stand-in with its channel display did not start\n");
    return 1;
  }
  offset = 0;
  receivedSince(display.logPath, offset, 0);
  scene("The stand-in shows its channel display: only cursor, enter and cancel act on it");
  for (std::uint8_t code : {0x1C, 0x1F, 0x23, 0x0F}) press(display, offset, code);
  vexlo::test::stopStandIn(display);

  if (!endLauncher(real)) {
    std::printf("demo: Vexlo.exe did not end by its exit command\n");
    return 1;
  }
#ifdef VEXLO_DEMO_RECEIVER
  if (g_receiver != INVALID_HANDLE_VALUE) CloseHandle(g_receiver);
#endif
  std::printf("\ndemo: done, everything it started has ended\n");
  return 0;
}

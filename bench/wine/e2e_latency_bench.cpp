// Press to logged controller button (or key), across processes: the
// launcher's button handling here, a TVTest stand-in with the real plugin in
// its own process. Prints median and 99th percentile per road.
//
//   e2e_latency_bench.exe STANDIN_EXE PLUGIN_FILE [PRESSES]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "launcher/button_handling.h"
#include "launcher/settings/launcher_state.h"
#include "shared/remote_protocol.h"
#include "tests/support/in_process_launcher.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace {

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LONGLONG fileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// One press; the time until the stand-in's log grew, or a negative value.
double timePress(const std::wstring& log, std::uint8_t code) {
  LONGLONG before = fileSize(log);
  double start = nowMs();
  vexlo::handleButton(code);
  while (fileSize(log) == before) {
    if (nowMs() - start > 5000) return -1;
    SwitchToThread();
  }
  return nowMs() - start;
}

void report(const char* road, std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  auto at = [&](double q) { return samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))]; };
  std::printf("%-32s presses %zu  median %.3f ms  p99 %.3f ms  max %.3f ms\n", road, samples.size(), at(0.5),
              at(0.99), samples.back());
}

bool measure(const char* road, const std::wstring& exe, const std::wstring& plugin, const std::wstring& flags,
             const std::wstring& log, std::uint8_t code, int presses) {
  vexlo::test::StandIn viewer;
  if (!vexlo::test::startStandIn(exe, log, L"--plugin=\"" + plugin + L"\" " + flags, viewer)) return false;
  std::vector<double> samples;
  for (int i = 0; i < presses; ++i) {
    double ms = timePress(log, code);
    if (ms < 0) break;
    samples.push_back(ms);
  }
  vexlo::test::stopStandIn(viewer);
  if (static_cast<int>(samples.size()) != presses) {
    std::printf("%s: only %zu of %d presses arrived\n", road, samples.size(), presses);
    return false;
  }
  report(road, samples);
  return true;
}

}  // namespace

int main() {
  vexlo::test::endChildrenWithThisProcess();  // no stand-in outlives the run
  std::wstring exe = vexlo::test::commandLineArgument(1), plugin = vexlo::test::commandLineArgument(2);
  int presses = vexlo::test::commandLineArgument(3).empty() ? 1000 : _wtoi(vexlo::test::commandLineArgument(3).c_str());
  vexlo::test::InProcessLauncher launcher;
  vexlo::LauncherState& state = launcher.state;
  state.mode = vexlo::Mode::kDirectInput;
  vexlo::test::ScratchDirectory scratch(L"vexlo-latency");
  const std::wstring& dir = scratch.path();

  bool ok = measure("remote message (0x0F)", exe, plugin, L"", dir + L"\\remote.log", vexlo::kCodeChannel1, presses);
  ok = measure("open-file dialog key (0x1F)", exe, plugin, L"--open-dialog", dir + L"\\dialog.log",
               vexlo::kCodeEnter, presses) && ok;
  return ok ? 0 : 1;
}

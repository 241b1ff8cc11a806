#include "tests/support/standin_process.h"

#include <cstdio>
#include <cstdlib>

#include "tests/e2e/standin_ids.h"
#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

HWND handleAfter(const std::string& line, const std::string& key) {
  std::size_t at = line.find(key);
  if (at == std::string::npos) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(line.c_str() + at + key.size(), nullptr, 16)));
}

// Where a click on the counting button goes now, and what it has counted.
std::string describeClickPlace(const StandIn& standIn) {
  RECT r{};
  GetWindowRect(GetDlgItem(standIn.window, kCountingButtonId), &r);
  DWORD underProcess = 0;
  GetWindowThreadProcessId(WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), &underProcess);
  return "under the button a window of process " + std::to_string(underProcess) + " (the stand-in is " +
         std::to_string(standIn.processId) + "); " + describeForeground() + "; ups " +
         std::to_string(askWindow(standIn.window, kCountMessage, kCountClickUps)) + ", downs " +
         std::to_string(askWindow(standIn.window, kCountMessage, kCountClickDowns));
}

// Each event carries its place: a pointer motion that the display reports
// late would otherwise move the click elsewhere.
void clickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace

std::string readLog(const std::wstring& path) { return readTextFile(path); }

bool waitForLog(const std::wstring& path, const std::string& needle, DWORD timeoutMs) {
  return waitUntil([&] { return readLog(path).find(needle) != std::string::npos; }, timeoutMs,
                   [&] { return "no \"" + needle + "\" in " + utf8(path) + ", which holds:\n" + readLog(path); });
}

bool waitUntilReady(StandIn& out, DWORD timeoutMs) {
  if (!waitForLog(out.logPath, "ready pid=", timeoutMs)) return false;
  std::string log = readLog(out.logPath);
  std::string line = log.substr(log.find("ready pid="));
  line = line.substr(0, line.find('\n'));
  out.processId = static_cast<DWORD>(std::strtoul(line.c_str() + 10, nullptr, 10));
  out.window = handleAfter(line, "window=0x");
  out.dialog = handleAfter(line, "dialog=0x");
  if (!out.program->process()) out.program->attach(out.processId);
  return out.window != nullptr;
}

bool startStandIn(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments, StandIn& out) {
  out = StandIn{};
  out.logPath = logPath;
  DeleteFileW(logPath.c_str());
  if (!out.program->start(exe, L"--log=\"" + logPath + L"\" " + arguments)) return false;
  return waitUntilReady(out);
}

std::wstring standInFile() { return builtFile(L"standin", VEXLO_STANDIN_PATH); }

std::wstring pluginFile() { return builtFile(L"plugin", VEXLO2_TVTP_PATH); }

bool startViewer(const std::wstring& directory, const std::wstring& name, const std::wstring& options, StandIn& out) {
  const std::wstring log = directory + L"\\" + name + L".log";
  // The plugin registers its controller while it is initialised, before the stand-in is ready.
  const bool registers = options.find(L"--no-plugin") == std::wstring::npos;
  if (startStandIn(standInFile(), log, L"--plugin=\"" + pluginFile() + L"\" " + options, out) &&
      (!registers || readLog(log).find(kControllerRegistered) != std::string::npos)) {
    return true;
  }
  std::printf("the stand-in %ls did not come up; its log:\n%s\n", name.c_str(), readLog(log).c_str());
  return false;
}

bool startClickTarget(const std::wstring& directory, const std::wstring& name, StandIn& out,
                      const std::wstring& options) {
  if (!startViewer(directory, name, L"--no-plugin --counting-button " + options, out)) return false;
  SetForegroundWindow(out.window);
  return true;
}

void clickCountingButton(const StandIn& standIn) {
  RECT r{};
  GetWindowRect(GetDlgItem(standIn.window, kCountingButtonId), &r);
  clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

LRESULT downsAfterClicks(const StandIn& standIn, LRESULT ups) {
  if (!waitUntil([&] { return askWindow(standIn.window, kCountMessage, kCountClickUps) >= ups; }, kPatience,
                 [&] { return describeClickPlace(standIn); })) {
    return -1;
  }
  return askWindow(standIn.window, kCountMessage, kCountClickDowns);
}

std::size_t countOf(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

void stopStandIn(StandIn& standIn) { standIn.program->close(standIn.window); }

}  // namespace vexlo::test

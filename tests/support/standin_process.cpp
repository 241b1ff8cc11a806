#include "tests/support/standin_process.h"

#include <cstdlib>

#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

HWND handleAfter(const std::string& line, const std::string& key) {
  std::size_t at = line.find(key);
  if (at == std::string::npos) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(line.c_str() + at + key.size(), nullptr, 16)));
}

std::wstring standInArguments(const std::wstring& logPath, const std::wstring& arguments) {
  return L"--log \"" + logPath + L"\" " + arguments;
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

bool startStandIn(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
                  StandIn& out) {
  out = StandIn{};
  out.logPath = logPath;
  DeleteFileW(logPath.c_str());
  if (!out.program->start(exe, standInArguments(logPath, arguments))) return false;
  return waitUntilReady(out);
}

bool runStandInToExit(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
                      DWORD& exitCode, DWORD timeoutMs) {
  DeleteFileW(logPath.c_str());
  RunningProgram program;
  if (!program.start(exe, standInArguments(logPath, arguments))) return false;
  return program.waitForExit(timeoutMs, exitCode);  // one still running is ended by the destructor
}

void stopStandIn(StandIn& standIn) { standIn.program->close(standIn.window); }

}  // namespace vexlo::test

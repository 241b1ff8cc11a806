#pragma once
// Programs the Wine tests start and end for real, their windows and dialogs,
// and waiting on them by polling with a deadline, never a fixed sleep. Every
// deadline is the world's: where a world's programs run through qemu-user
// they take several times as long as natively, and the world says by how
// much (VEXLO_TIME_SCALE, which tools/world sets).

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vexlo::test {

// How long another process may take to do what it was asked, run natively.
inline constexpr DWORD kPatience = 20000;

// `milliseconds` of a native run in this world's time.
DWORD worldTime(DWORD milliseconds);

// Every process this one starts, and every process those start, ends when
// this one ends, however it ends: a test that fails, crashes or is killed
// leaves nothing running (under Wine a child also holds the parent's Unix
// standard output, so a survivor would keep a test runner waiting).
bool endChildrenWithThisProcess();

// A started program; ended at destruction if it still runs.
class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // The executable is quoted on the command line, the arguments follow as given.
  bool start(const std::wstring& executable, const std::wstring& arguments = L"");
  // A program another one started, taken over by its id.
  bool attach(DWORD processId);
  bool running() const;
  // The exit code once it ended within the world's time; false on a time-out.
  bool waitForExit(DWORD milliseconds, DWORD& exitCode);
  void terminate();
  DWORD processId() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  // WM_CLOSE to the window, then an end by force after a grace time (the world's).
  void close(HWND window, DWORD graceMilliseconds = 5000);

 private:
  PROCESS_INFORMATION info_{};
};

// SendMessageTimeoutW, bounded by the world's time. False when the window did
// not answer in time; `result` is then 0.
bool sendMessageBounded(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr);
// The answer, or 0 when there was none in time.
LRESULT askWindow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Polls until `done` holds or the world's time for `milliseconds` is up.
// A wait that runs out says so with its place in the source and, given
// `seen`, what it found instead.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds = kPatience,
               const std::function<std::string()>& seen = {}, const char* file = __builtin_FILE(),
               int line = __builtin_LINE());
// The same without a word when the time runs out: for what should not happen.
bool happensWithin(const std::function<bool()>& done, DWORD milliseconds);

// The top-level windows of the class (any when null) that belong to the
// process (any when processId is 0), hidden ones included, front to back.
std::vector<HWND> processWindows(const wchar_t* className, DWORD processId, const wchar_t* title = nullptr);
// The first of them, or null.
HWND findProcessWindow(const wchar_t* className, DWORD processId, const wchar_t* title = nullptr);
// A window as `HANDLE class "title"`, with "(hidden)" where it is.
std::string describeWindow(HWND window);
// So every top-level window of the process (and of the class, given one),
// front to back: what a wait for one of them saw instead.
std::string describeWindows(DWORD processId, const wchar_t* className = nullptr);
// The window in front, its process, the focus and the capture of its input;
// or that there is none.
std::string describeForeground();

// Registers a window class of this program: the arrow cursor, the window colour.
void registerWindowClass(const wchar_t* name, WNDPROC procedure);

// Argument `index` of this process's command line, or empty.
std::wstring commandLineArgument(int index);
// The value of `--name=VALUE` on this process's command line, or empty.
std::wstring commandLineOption(const wchar_t* name);
// Whether `--name` is on this process's command line.
bool commandLineFlag(const wchar_t* name);

// Dialogs and controls of another process, found and driven from outside as
// a user's clicks and typing would drive them: messages only, bounded in time.

// The visible settings dialogs ("#32770", "設定") of the process.
std::vector<HWND> settingsDialogs(DWORD processId);
// The first visible dialog of the process with this title, once it is up; null on a time-out.
HWND waitForDialog(DWORD processId, const wchar_t* title, DWORD milliseconds = kPatience);

std::wstring controlText(HWND control);
std::wstring controlText(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::wstring& text);
bool isChecked(HWND dialog, int id);
bool isEnabled(HWND dialog, int id);
void click(HWND dialog, int id);
// Clicks the button and waits until the dialog has gone.
bool clickAndWaitClosed(HWND dialog, int id);
// Posts the command, as the dialog's keys do, and waits until the dialog has gone.
bool commandAndWaitClosed(HWND dialog, int id);

}  // namespace vexlo::test

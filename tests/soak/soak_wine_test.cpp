// A long run of the real Vexlo.exe under Wine: tens of thousands of presses
// on the remote-message road and a few hundred on the open-dialog road, fed
// through the virtual receiver where the tree has it (else through the
// launcher's button handling in this process), every one counted where it
// arrives; and the launcher's handles, GDI and USER objects and private
// bytes before and after.

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "launcher/button_handling.h"
#include "shared/remote_protocol.h"
#include "tests/e2e/standin_ids.h"
#include "tests/support/in_process_launcher.h"
#include "tests/support/launcher_process.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

#if defined(VEXLO_SOAK_RECEIVER)
#include "tests/hid/receiver_control.h"
#include "tests/hid/virtual_receiver.h"
#include "tests/support/window_in_front.h"
#endif

namespace vexlo::test {
namespace {

constexpr int kRemotePresses = 20000;  // unless the command line says --presses=N
constexpr int kDialogPresses = 200;
constexpr int kWarmUpPresses = 200;   // first uses allocate once; they are not growth
#if defined(VEXLO_SOAK_RECEIVER)
// Presses sent ahead of those that arrived: as many as the device's queue
// holds, so that it never turns one away, and the writes that carry them.
constexpr int kInFlight = VR_QUEUE_LENGTH;
constexpr std::size_t kWritesOutstanding = 16;
#else
constexpr int kInFlight = 1;
#endif
constexpr DWORD kArrivalTime = 30000;  // for the last press to arrive after the one before
constexpr SIZE_T kPrivateGrowthAllowed = 1024 * 1024;
constexpr std::uintptr_t kHandleValuesProbed = 0x10000;

struct Resources {
  DWORD handles = 0, gdi = 0, user = 0;
  SIZE_T privateBytes = 0;
};

// Wine answers GetProcessHandleCount with 0; there every handle value that
// can be duplicated out of the process is counted instead.
DWORD handleCount(HANDLE process) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count != 0) return count;
  for (std::uintptr_t value = 4; value < kHandleValuesProbed; value += 4) {
    HANDLE copy = nullptr;
    if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                        DUPLICATE_SAME_ACCESS)) {
      ++count;
      CloseHandle(copy);
    }
  }
  return count;
}

Resources resourcesOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
  // Private bytes: the same figure on Windows; Wine fills in only the second.
  return {handleCount(process), GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
          memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage};
}

// Where a press enters the launcher: the receiver's reports into the real
// Vexlo.exe, or its button handling here.
class PressInput {
 public:
  virtual ~PressInput() = default;
  virtual const char* name() const = 0;
  // What the launcher fed is: which Vexlo.exe, or this program.
  virtual std::string launcherName() const = 0;
  virtual HANDLE launcherProcess() const = 0;
  // False when the press could not be handed over.
  virtual bool press(std::uint8_t code) = 0;
  // The viewer whose window a user would have in front while pressing, or none.
  virtual void keepInFront(HWND /*viewer*/) {}
  // Whatever explains presses that do not arrive.
  virtual std::string state() const = 0;
};

#if defined(VEXLO_SOAK_RECEIVER)
class ReceiverInput final : public PressInput {
 public:
  // `device` is opened for writes that do not wait, and is this input's.
  ReceiverInput(HANDLE device, LauncherProcess& launcher) : reports_(device, kWritesOutstanding), launcher_(launcher) {}
  const char* name() const override { return "the virtual receiver"; }
  std::string launcherName() const override {
    return std::string(executableArchitecture(launcher_.exe())) + " Vexlo.exe";
  }
  HANDLE launcherProcess() const override { return launcher_.process(); }
  // Raw input reaches the launcher only while some window is in front, and
  // under Wine at times none is: also after the launcher has handed the front
  // to a dialog for its key strokes. Then the window a user would have in
  // front comes back there: the viewer's dialog while presses go to it (the
  // shell's stand-in in front would leave the dialog without its focus),
  // else the shell's. No more presses are on their way than the device's
  // queue holds, so it takes every report written.
  bool press(std::uint8_t code) override {
    if (!oneInFront()) return false;
    if (reports_.send(code)) return true;
    std::printf("soak: the device turned a report away (error %lu); %s\n", GetLastError(), state().c_str());
    return false;
  }
  std::string state() const override { return launcher_.status() + "; " + describeForeground(); }
  void keepInFront(HWND viewer) override { viewer_ = viewer; }

 private:
  bool oneInFront() {
    if (GetForegroundWindow()) return true;
    if (!viewer_) return front_.ensureOneInFront();
    sendMessageBounded(viewer_, kComeToFrontMessage);
    return waitUntil([] { return GetForegroundWindow() != nullptr; }, kPatience, describeForeground);
  }

  ReportStream reports_;
  HWND viewer_ = nullptr;
  LauncherProcess& launcher_;
  WindowInFront front_;
};
#endif

class InProcessInput final : public PressInput {
 public:
  const char* name() const override { return "the launcher's button handling in this process"; }
  std::string launcherName() const override { return sizeof(void*) == 8 ? "x86_64 in process" : "i686 in process"; }
  HANDLE launcherProcess() const override { return GetCurrentProcess(); }
  bool press(std::uint8_t code) override {
    handleButton(code);
    return true;
  }
  std::string state() const override { return describeForeground(); }

 private:
  InProcessLauncher launcher_;
};

double perSecond(int presses, ULONGLONG milliseconds) {
  return presses * 1000.0 / static_cast<double>(milliseconds ? milliseconds : 1);
}

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher_.prepareIni({{L"ZIZU_MODE", L"00000001"}, {L"BFDialogExpand", L"00000001"}});
#if defined(VEXLO_SOAK_RECEIVER)
    HANDLE device = openVirtualDevice(VR_RECEIVER_VENDOR_ID, kPatience, FILE_FLAG_OVERLAPPED);
    // A launcher named on the command line is soaked through the receiver or not at all.
    if (!commandLineOption(L"launcher").empty()) {
      ASSERT_NE(device, INVALID_HANDLE_VALUE) << "no virtual receiver";
    }
    if (device != INVALID_HANDLE_VALUE) {
      ASSERT_TRUE(launcher_.start()) << "Vexlo.exe did not start";
      input_ = std::make_unique<ReceiverInput>(device, launcher_);
      return;
    }
#endif
    input_ = std::make_unique<InProcessInput>();
    launcher().state.mode = Mode::kDirectInput;
    launcher().state.dialogExpand = 1;
  }

  // Presses the two codes in turn, each a new press without a release, with
  // up to `ahead` on their way; a full window is refilled once a quarter of
  // it arrived (each look asks the viewer). The count of those that arrived
  // in the end, added up with the presses; it stops at the first wait in vain.
  LRESULT pressInTurn(int presses, std::uint8_t a, std::uint8_t b, const std::function<LRESULT()>& arrived,
                      int ahead = kInFlight) {
    const LRESULT before = arrived();
    int sent = 0;
    LRESULT got = 0;
    auto arriveUntil = [&](int left) {
      return waitUntil([&] { return (got = arrived() - before) >= sent - left; }, kArrivalTime, [&] {
        return std::to_string(got) + " of " + std::to_string(sent) + " arrived; " + input_->state();
      });
    };
    while (sent < presses) {
      if (sent - got >= ahead && !arriveUntil(ahead - (ahead + 3) / 4)) break;
      if (!input_->press(sent % 2 == 0 ? a : b)) break;
      ++sent;
    }
    if (sent == presses) arriveUntil(0);
    got = arrived() - before;
    presses_ += presses;
    delivered_ += got;
    return got;
  }

  LauncherProcess launcher_{builtFile(L"launcher", VEXLO_EXE), L"vexlo soak"};
  std::unique_ptr<PressInput> input_;
  long long presses_ = 0, delivered_ = 0;
};

TEST_F(Soak, EveryPressArrivesAndNothingGrows) {
  ASSERT_NE(input_, nullptr);
  const std::wstring pressesOption = commandLineOption(L"presses");
  const int remotePresses = pressesOption.empty() ? kRemotePresses : std::stoi(pressesOption);
  std::printf("soak: presses through %s\n", input_->name());

  StandIn viewer;
  ASSERT_TRUE(startViewer(launcher_.directory(), L"remote", L"", viewer));
  auto controllerButtons = [&] { return askWindow(viewer.window, kCountMessage, kCountPresses); };
  pressInTurn(kWarmUpPresses, kCodeChannel1, kCodeChannel10, controllerButtons);

  const Resources before = resourcesOf(input_->launcherProcess());
  const ULONGLONG started = GetTickCount64();
  pressInTurn(remotePresses, kCodeChannel1, kCodeChannel10, controllerButtons);
  const ULONGLONG remoteMs = GetTickCount64() - started;
  stopStandIn(viewer);
  viewer = StandIn{};  // its handles closed: in process they would count as the launcher's

  StandIn dialogViewer;
  ASSERT_TRUE(startViewer(launcher_.directory(), L"dialog", L"--open-dialog", dialogViewer));
  ASSERT_NE(dialogViewer.dialog, nullptr);
  auto keyStrokes = [&] { return askWindow(dialogViewer.window, kCountMessage, kCountKeys); };
  input_->keepInFront(dialogViewer.window);
  // One at a time: under Wine raw input that comes while no window is in
  // front goes to no one, and each of the launcher's strokes leaves none
  // there for a moment (it attaches to the dialog's input, switches the front
  // and detaches again); a report on its way then was seen lost.
  const ULONGLONG dialogStarted = GetTickCount64();
  const LRESULT keys = pressInTurn(kDialogPresses, kCodeUp, kCodeDown, keyStrokes, 1);
  const ULONGLONG dialogMs = GetTickCount64() - dialogStarted;
  std::printf("soak: %ld of %d dialog presses arrived as keys\n", static_cast<long>(keys), kDialogPresses);
  stopStandIn(dialogViewer);
  dialogViewer = StandIn{};
  const Resources after = resourcesOf(input_->launcherProcess());

  std::printf("soak: %s: %lld presses, %lld delivered, up to %d in flight (%.0f presses/s by the remote message, "
              "%.1f as dialog keys one at a time), handles %lu->%lu, gdi %lu->%lu, user %lu->%lu, "
              "private KiB %llu->%llu\n",
              input_->launcherName().c_str(), presses_, delivered_, kInFlight, perSecond(remotePresses, remoteMs),
              perSecond(kDialogPresses, dialogMs), before.handles, after.handles, before.gdi, after.gdi, before.user,
              after.user, static_cast<unsigned long long>(before.privateBytes / 1024),
              static_cast<unsigned long long>(after.privateBytes / 1024));

  EXPECT_EQ(delivered_, presses_) << "presses were lost";
  EXPECT_LE(after.handles, before.handles) << "handles grew";
  EXPECT_LE(after.gdi, before.gdi) << "GDI objects grew";
  EXPECT_LE(after.user, before.user) << "USER objects grew";
  EXPECT_LE(after.privateBytes, before.privateBytes + kPrivateGrowthAllowed) << "private bytes grew";
}

}  // namespace
}  // namespace vexlo::test

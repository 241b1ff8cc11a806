// routeButton for a code bound for the remote message on a crowded desktop:
// N top-level windows with the viewer at the bottom of the Z order, so every
// search walks the whole list. Heap allocations are counted only while the
// core runs; the simulated desktop's event log is reserved beforehand and
// its queries copy into the caller's fixed buffers, so whatever is counted
// is the core's own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "launcher/launcher.h"
#include "launcher/routing.h"
#include "launcher/window_classes.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/simulated_desktop.h"

namespace {

bool g_counting = false;
std::size_t g_allocations = 0;

}  // namespace

// The replacements pair malloc with free; GCC cannot see that through the
// standard library's inline uses and warns.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  if (g_counting) ++g_allocations;
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace vexlo;

const wchar_t* const kOtherClasses[] = {L"Shell_TrayWnd", L"Chrome_WidgetWin_1", L"CabinetWClass", L"Notepad",
                                        L"#32770", L"tooltips_class32", L"IME", L"MSCTFIME UI"};

void RouteToBottomViewer(benchmark::State& run) {
  const auto windows = static_cast<std::size_t>(run.range(0));
  test::SimulatedDesktop desktop;
  test::InstalledLauncher installed{test::Seams{&desktop}};
  launcher().state.mode = Mode::kDirectInput;
  for (std::size_t i = 0; i + 1 < windows; ++i) {
    desktop.addWindow(kOtherClasses[i % std::size(kOtherClasses)], L"some window title",
                      static_cast<ProcessId>(1000 + i), static_cast<ThreadId>(5000 + i));
  }
  const WindowHandle viewer = desktop.addWindow(kViewerWindowClass, L"TVTest", 42, 43);
  for (int c = 0; c < 6; ++c) desktop.addChild(viewer, L"TVTest View", 10 + c);
  desktop.reserveEvents(4);

  std::size_t allocations = 0;
  for (auto _ : run) {
    desktop.clearEvents();
    g_allocations = 0;
    g_counting = true;
    benchmark::DoNotOptimize(routeButton(0x0F));
    g_counting = false;
    allocations += g_allocations;
  }
  if (desktop.events().size() != 1 || desktop.events()[0].window != viewer) run.SkipWithError("not delivered");
  run.counters["allocs_per_press"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
  run.SetComplexityN(static_cast<benchmark::IterationCount>(windows));
}

BENCHMARK(RouteToBottomViewer)->Arg(50)->Arg(200)->Arg(1000)->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
  // The counter must see an allocation made while armed, or its zero means nothing.
  g_counting = true;
  auto* probe = new std::wstring(64, L'x');
  g_counting = false;
  delete probe;
  if (g_allocations == 0) {
    std::fprintf(stderr, "routing_bench: the allocation counter does not count\n");
    return 1;
  }
  g_allocations = 0;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The entry of every Wine test program. Two things differ from GoogleTest's
// own main:
// - Every process a test starts ends with the program, however it ends.
// - A failed or skipped check is printed without OutputDebugStringA. That
//   call raises an exception, and 32-bit Wine run through qemu-user ends a
//   process that raises one while it has a second thread; GoogleTest starts
//   such a thread at the first failure, so the first failure of an i686 test
//   program would end it before it could say more.

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/wine_processes.h"

using testing::TestEventListener;

namespace {

// Forwards every event to GoogleTest's own printer but the part results,
// which it prints the same way, only without the debugger's copy.
class PartResultPrinter final : public TestEventListener {
 public:
  explicit PartResultPrinter(TestEventListener* printer) : printer_(printer) {}
  ~PartResultPrinter() override { delete printer_; }

  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (result.type() == testing::TestPartResult::kSuccess) return;
    const char* file = result.file_name() ? result.file_name() : "unknown file";
    if (result.line_number() >= 0) {
      std::printf("%s:%d: ", file, result.line_number());
    } else {
      std::printf("%s: ", file);
    }
    std::printf("%s\n%s\n", result.skipped() ? "Skipped" : "Failure", result.message());
    std::fflush(stdout);
  }

  void OnTestProgramStart(const testing::UnitTest& u) override { printer_->OnTestProgramStart(u); }
  void OnTestIterationStart(const testing::UnitTest& u, int i) override { printer_->OnTestIterationStart(u, i); }
  void OnEnvironmentsSetUpStart(const testing::UnitTest& u) override { printer_->OnEnvironmentsSetUpStart(u); }
  void OnEnvironmentsSetUpEnd(const testing::UnitTest& u) override { printer_->OnEnvironmentsSetUpEnd(u); }
  void OnTestSuiteStart(const testing::TestSuite& s) override { printer_->OnTestSuiteStart(s); }
  void OnTestCaseStart(const testing::TestCase& s) override { printer_->OnTestCaseStart(s); }
  void OnTestStart(const testing::TestInfo& t) override { printer_->OnTestStart(t); }
  void OnTestEnd(const testing::TestInfo& t) override { printer_->OnTestEnd(t); }
  void OnTestSuiteEnd(const testing::TestSuite& s) override { printer_->OnTestSuiteEnd(s); }
  void OnTestCaseEnd(const testing::TestCase& s) override { printer_->OnTestCaseEnd(s); }
  void OnEnvironmentsTearDownStart(const testing::UnitTest& u) override { printer_->OnEnvironmentsTearDownStart(u); }
  void OnEnvironmentsTearDownEnd(const testing::UnitTest& u) override { printer_->OnEnvironmentsTearDownEnd(u); }
  void OnTestIterationEnd(const testing::UnitTest& u, int i) override { printer_->OnTestIterationEnd(u, i); }
  void OnTestProgramEnd(const testing::UnitTest& u) override { printer_->OnTestProgramEnd(u); }

 private:
  TestEventListener* printer_;
};

}  // namespace

int main(int argc, char** argv) {
  if (!vexlo::test::endChildrenWithThisProcess()) {
    std::printf("warning: the processes the tests start may outlive them (no job object)\n");
  }
  testing::InitGoogleTest(&argc, argv);
  testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
  if (TestEventListener* printer = listeners.Release(listeners.default_result_printer())) {
    listeners.Append(new PartResultPrinter(printer));
  }
  return RUN_ALL_TESTS();
}

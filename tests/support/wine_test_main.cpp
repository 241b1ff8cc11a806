// The entry of every Wine test program: GoogleTest's own, but every process
// a test starts ends with the program, however it ends.

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/wine_processes.h"

int main(int argc, char** argv) {
  if (!vexlo::test::endChildrenWithThisProcess()) {
    std::printf("warning: the processes the tests start may outlive them (no job object)\n");
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

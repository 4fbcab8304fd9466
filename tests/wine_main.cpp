// The entry of the Windows test programs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "ui/window.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  // A failure the runtime caught at a window procedure's boundary went
  // unseen by the test that caused it: the run fails all the same.
  if (const int caught = ui::TakeCaughtFailures()) {
    std::fprintf(stderr, "%d failure(s) caught at a window procedure's boundary (each described above)\n", caught);
    result = 1;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  // The verdict is out. Under Wine, the teardown of the shell's helper
  // threads can stall the end of a busy process, and it has nothing to add.
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
  return result;
}

// The entry of the Windows test programs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  std::fflush(stderr);
  // The verdict is out. Under Wine, the teardown of the shell's helper
  // threads can stall the end of a busy process, and it has nothing to add.
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
  return result;
}

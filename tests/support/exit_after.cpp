// Test helper: exit_after CODE MILLISECONDS sleeps, then exits with CODE.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc > 2) Sleep(static_cast<DWORD>(std::atoi(argv[2])));
  return argc > 1 ? std::atoi(argv[1]) : 0;
}

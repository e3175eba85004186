// Writes two debugger lines, for the test of where TAVRELO_DEBUG_OUTPUT sends them.
#include <windows.h>

int main() {
  OutputDebugStringA("first line\n");
  OutputDebugStringA("second line\n");
  return 0;
}

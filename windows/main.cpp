// Trivelo_Extension_Windows: installs the add-on of the folder it is started from into an
// installation of Trivelo Zelto.
#include <windows.h>

#include "shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  {
    trivelo::win::WindowsShell shell(instance);
    shell.run();
  }
  // The exit code is 0 on every path, the start-up failures included.
  ExitProcess(0);
}

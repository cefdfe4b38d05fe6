// Trivelo_Extension_MorphOS: installs a Trivelo Zelto add-on from the add-on's drawer.
//
// Start-up opens the libraries and the workspace in RAM:, the installer prepares its texts, and the
// MUI application shows its window on the Workbench screen. The event loop turns the return
// identifiers of the window's notifications into the installer's events until the installer says
// to quit; then everything is released in the reverse order.
#include <dos/dos.h>
#include <exec/memory.h>
#include <exec/types.h>
#include <libraries/mui.h>
#include <proto/asl.h>
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/intuition.h>
#include <proto/locale.h>
#include <proto/muimaster.h>
#include <proto/utility.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fichiers_amiga.h"
#include "flow.h"
#include "mui_shell.h"
#include "platform.h"

struct Library* IntuitionBase = nullptr;
struct Library* LocaleBase = nullptr;
struct Library* AslBase = nullptr;
struct Library* UtilityBase = nullptr;
struct Library* MUIMasterBase = nullptr;
// graphics.library and datatypes.library are not called here, but MUI needs them for the logo.
struct Library* GfxBase = nullptr;
struct Library* DataTypesBase = nullptr;

// Standard output of a program started from the Workbench: a console window opened on first output.
extern "C" {
char __stdiowin[] = "CON:10/10/320/80/Trivelo_Extension_MorphOS/AUTO/CLOSE/WAIT";
}

namespace {

using trivelo::Event;

struct LibraryToOpen {
  const char* name;
  struct Library** base;
};

// Opened in this order and closed in the same order.
const LibraryToOpen kLibraries[] = {
    {"intuition.library", &IntuitionBase},
    {"graphics.library", &GfxBase},
    {"locale.library", &LocaleBase},
    {"datatypes.library", &DataTypesBase},
    {"asl.library", &AslBase},
    {"utility.library", &UtilityBase},
    {"muimaster.library", &MUIMasterBase},
};

// Opens every library, also after one failed; true when all of them are open.
bool open_libraries() {
  bool all = true;
  for (const LibraryToOpen& l : kLibraries) {
    *l.base = OpenLibrary(l.name, 0);
    if (*l.base == nullptr) all = false;
  }
  return all;
}

void close_libraries() {
  for (const LibraryToOpen& l : kLibraries) {
    if (*l.base != nullptr) CloseLibrary(*l.base);
    *l.base = nullptr;
  }
}

}  // namespace

int main(void) {
  // The application title: message 1, a space and the add-on's title (255 bytes at most).
  char* application_title = static_cast<char*>(AllocVec(trivelo::kTitleBufferSize, MEMF_ANY | MEMF_CLEAR));
  if (application_title == nullptr) return 0;

  if (!open_libraries()) {
    std::printf("[Trivelo Zelto / Add-on install] A library couldn''t be opened...\n");
    close_libraries();
    FreeVec(application_title);
    return 0;
  }

  std::string workspace_error;
  BPTR workspace = 0;
  if (!trivelo::temporairecreer(trivelo::kNomProgramme, workspace_error, workspace)) {
    close_libraries();
    std::printf("[TriveloZelto / Add-on install] %s\n", workspace_error.c_str());
    FreeVec(application_title);
    return 1;
  }

  trivelo::Flow flow;
  flow.prepare();

  trivelo::MuiShell shell;
  struct Screen* screen = LockPubScreen("Workbench");
  if (screen != nullptr) {
    if (shell.build_root() != nullptr) {
      std::strncpy(application_title, flow.window_title().c_str(), trivelo::kTitleBufferSize - 1);
      application_title[trivelo::kTitleBufferSize - 1] = '\0';
      // The window's own title is message 1 alone; the composed title belongs to the application.
      if (shell.build_window(flow.text(1).c_str(), screen) != nullptr &&
          shell.build_application(application_title) != nullptr) {
        shell.open_window();
        flow.begin(shell);
        shell.notify_close_request();

        ULONG signals = 0;
        bool quit = false;
        while (!quit) {
          const ULONG id = shell.input(&signals);
          switch (id) {
            case trivelo::kIdLeft:
              quit = flow.handle_event(Event::LeftButton);
              break;
            case trivelo::kIdRight:
              quit = flow.handle_event(Event::RightButton);
              break;
            case trivelo::kIdBrowse:
              quit = flow.handle_event(Event::Browse);
              break;
            case trivelo::kIdClose:
              quit = flow.handle_event(Event::Close);
              break;
            default:
              break;  // MUI's own quit identifier included: only the window ends the program
          }
          if (!quit && signals != 0) Wait(signals);
        }
      }
      shell.dispose();
    }
    UnlockPubScreen(nullptr, screen);
  }

  flow.finish();
  trivelo::temporairesupprimer(trivelo::kNomProgramme, workspace);
  close_libraries();
  FreeVec(application_title);
  return 0;
}

// Trivelo_Extension: the AmigaOS 4 add-on installer of Trivelo Zelto.
//
// Started from the add-on's drawer (its current directory). Opens the libraries and classes it
// needs, creates its workspace in RAM:, lets the installer flow prepare the texts, opens one
// ReAction window and hands the user's actions to the flow until it asks to quit.
#include <proto/exec.h>
#include <proto/dos.h>
#include <proto/intuition.h>
#include <proto/graphics.h>
#include <proto/Picasso96API.h>
#include <proto/lowlevel.h>
#include <proto/datatypes.h>
#include <proto/asl.h>
#include <proto/application.h>
#include <proto/utility.h>
#include <proto/window.h>
#include <proto/layout.h>
#include <proto/button.h>
#include <proto/string.h>
#include <proto/bitmap.h>
#include <proto/label.h>
#include <proto/fuelgauge.h>
#include <proto/glyph.h>
#include <proto/requester.h>

#include <classes/window.h>
#include <gadgets/button.h>
#include <gadgets/layout.h>
#include <images/bitmap.h>
#include <intuition/gadgetclass.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fichiers_amiga.h"
#include "flow.h"
#include "platform.h"
#include "reaction_shell.h"

// The program opens its libraries itself: their bases and interfaces are its own.
struct Library* IntuitionBase = NULL;
struct IntuitionIFace* IIntuition = NULL;
struct Library* WindowBase = NULL;
struct WindowIFace* IWindow = NULL;
struct GfxBase* GfxBase = NULL;
struct GraphicsIFace* IGraphics = NULL;
struct Library* P96Base = NULL;
struct P96IFace* IP96 = NULL;
struct Library* LayoutBase = NULL;
struct LayoutIFace* ILayout = NULL;
struct Library* ButtonBase = NULL;
struct ButtonIFace* IButton = NULL;
struct Library* StringBase = NULL;
struct StringIFace* IString = NULL;
struct Library* BitMapBase = NULL;
struct BitMapIFace* IBitMap = NULL;
struct Library* LabelBase = NULL;
struct LabelIFace* ILabel = NULL;
struct Library* LowLevelBase = NULL;
struct LowLevelIFace* ILowLevel = NULL;
struct Library* DataTypesBase = NULL;
struct DataTypesIFace* IDataTypes = NULL;
struct Library* AslBase = NULL;
struct AslIFace* IAsl = NULL;
struct Library* FuelGaugeBase = NULL;
struct FuelGaugeIFace* IFuelGauge = NULL;
struct Library* ApplicationBase = NULL;
struct ApplicationIFace* IApplication = NULL;
struct Library* GlyphBase = NULL;
struct GlyphIFace* IGlyph = NULL;
struct Library* UtilityBase = NULL;
struct UtilityIFace* IUtility = NULL;
struct Library* RequesterBase = NULL;
struct RequesterIFace* IRequester = NULL;

namespace {

struct LibraryUse {
  CONST_STRPTR name;
  ULONG version;
  struct Library** base;
  CONST_STRPTR interface_name;
  ULONG interface_version;
  struct Interface** interface;
};

// Opened in this order; every class is reached through its interface's GetClass except
// button.gadget, which is created by its public name.
enum {
  kIntuition, kWindow, kGraphics, kPicasso96, kLayout, kButton, kString, kBitMap, kLabel,
  kLowLevel, kDataTypes, kAsl, kFuelGauge, kApplication, kGlyph, kUtility, kRequester,
  kLibraryCount
};

LibraryUse libraries[kLibraryCount] = {
    {"intuition.library", 0, &IntuitionBase, "main", 1, (struct Interface**)&IIntuition},
    {"window.class", 0, &WindowBase, "main", 1, (struct Interface**)&IWindow},
    {"graphics.library", 0, (struct Library**)&GfxBase, "main", 1, (struct Interface**)&IGraphics},
    {"Picasso96API.library", 0, &P96Base, "main", 1, (struct Interface**)&IP96},
    {"gadgets/layout.gadget", 0, &LayoutBase, "main", 1, (struct Interface**)&ILayout},
    {"gadgets/button.gadget", 0, &ButtonBase, "main", 1, (struct Interface**)&IButton},
    {"gadgets/string.gadget", 0, &StringBase, "main", 1, (struct Interface**)&IString},
    {"images/bitmap.image", 0, &BitMapBase, "main", 1, (struct Interface**)&IBitMap},
    {"images/label.image", 0, &LabelBase, "main", 1, (struct Interface**)&ILabel},
    {"lowlevel.library", 0, &LowLevelBase, "main", 1, (struct Interface**)&ILowLevel},
    {"datatypes.library", 0, &DataTypesBase, "main", 1, (struct Interface**)&IDataTypes},
    {"asl.library", 0, &AslBase, "main", 1, (struct Interface**)&IAsl},
    {"gadgets/fuelgauge.gadget", 0, &FuelGaugeBase, "main", 1, (struct Interface**)&IFuelGauge},
    {"application.library", 50, &ApplicationBase, "application", 2, (struct Interface**)&IApplication},
    {"images/glyph.image", 0, &GlyphBase, "main", 1, (struct Interface**)&IGlyph},
    {"utility.library", 0, &UtilityBase, "main", 1, (struct Interface**)&IUtility},
    {"requester.class", 0, &RequesterBase, "main", 1, (struct Interface**)&IRequester},
};

// application.library's interface is obtained first.
const int kInterfaceOrder[kLibraryCount] = {
    kApplication, kIntuition, kWindow, kGraphics, kPicasso96, kLayout, kButton, kString, kBitMap,
    kLabel, kLowLevel, kDataTypes, kAsl, kFuelGauge, kGlyph, kUtility, kRequester,
};
const int kDropOrder[kLibraryCount] = {
    kIntuition, kWindow, kGraphics, kPicasso96, kLayout, kButton, kString, kBitMap, kLabel,
    kLowLevel, kDataTypes, kAsl, kFuelGauge, kApplication, kUtility, kRequester, kGlyph,
};
const int kCloseOrder[kLibraryCount] = {
    kWindow, kIntuition, kLayout, kPicasso96, kGraphics, kString, kButton, kBitMap, kLabel,
    kLowLevel, kDataTypes, kAsl, kFuelGauge, kApplication, kUtility, kRequester, kGlyph,
};

bool open_libraries() {
  for (LibraryUse& use : libraries) *use.base = OpenLibrary(use.name, use.version);
  bool all = true;
  for (const LibraryUse& use : libraries) all = all && *use.base != NULL;
  return all;
}

bool obtain_interfaces() {
  for (int i : kInterfaceOrder) {
    LibraryUse& use = libraries[i];
    *use.interface = *use.base ? GetInterface(*use.base, use.interface_name, use.interface_version, NULL) : NULL;
  }
  bool all = true;
  for (const LibraryUse& use : libraries) all = all && *use.interface != NULL;
  return all;
}

void drop_interfaces() {
  for (int i : kDropOrder) {
    LibraryUse& use = libraries[i];
    if (*use.interface) DropInterface(*use.interface);
    *use.interface = NULL;
  }
}

void close_libraries() {
  for (int i : kCloseOrder) {
    LibraryUse& use = libraries[i];
    if (*use.base) CloseLibrary(*use.base);
    *use.base = NULL;
  }
}

// One batch of window input: every message waiting in the window's port. Once the user has
// closed the window or released Escape, the rest of the batch is drained without being handled,
// so a click that arrived after the close can neither cancel it nor start an installation.
bool handle_input(Object* window_object, trivelo::Flow& flow) {
  bool quit = false;
  ULONG result;
  UWORD code = 0;
  while ((result = IDoMethod(window_object, WM_HANDLEINPUT, &code)) != WMHI_LASTMSG) {
    if (quit) continue;
    switch (result & WMHI_CLASSMASK) {
      case WMHI_CLOSEWINDOW:
        quit = flow.handle_event(trivelo::Event::Close);
        break;
      case WMHI_RAWKEY:
        // Raw key 0x45 (Escape) with the key-up bit: the key was released.
        if ((code & 0xFF) == 0xC5) quit = flow.handle_event(trivelo::Event::Escape);
        break;
      case WMHI_GADGETUP:
        switch (result & WMHI_GADGETMASK) {
          case 1: quit = flow.handle_event(trivelo::Event::LeftButton); break;
          case 4: quit = flow.handle_event(trivelo::Event::RightButton); break;
          case 6: quit = flow.handle_event(trivelo::Event::Browse); break;
          default: break;  // path field, logo, gauge
        }
        break;
      default:
        break;
    }
  }
  return quit;
}

}  // namespace

int main(void) {
  STRPTR window_title = (STRPTR)AllocVec(trivelo::kTitleBufferSize, MEMF_ANY | MEMF_CLEAR);
  if (!window_title) return 0;

  // Every library is opened before any is tested; the interfaces are obtained only when all
  // libraries are there.
  bool ready = open_libraries();
  if (!ready) {
    puts("[Trivelo_Extension /Install] A library couldn''t be opened...");
  } else if (!(ready = obtain_interfaces())) {
    puts("[Trivelo_Extension /Install] A library interface couldn't be opened...");
  }
  if (!ready) {
    drop_interfaces();
    close_libraries();
    FreeVec(window_title);
    return 0;
  }

  std::string workspace_error;
  BPTR workspace = 0;
  if (!trivelo::temporairecreer(trivelo::kNomProgramme, workspace_error, workspace)) {
    drop_interfaces();
    close_libraries();
    printf("[LexivoZelto] %s\n", workspace_error.c_str());
    FreeVec(window_title);
    return 1;
  }

  trivelo::Flow flow;
  flow.prepare();

  struct Screen* screen = LockPubScreen("Workbench");
  if (screen) {
    // The logo is the add-on's picture; without it the logo control simply has no face.
    Object* logo_image = NewObject(BITMAP_GetClass(), NULL,
                                   BITMAP_SourceFile, "data/install.png",
                                   BITMAP_OffsetX, 0,
                                   BITMAP_OffsetY, 0,
                                   BITMAP_Screen, screen,
                                   TAG_DONE);
    Object* logo_control = NewObject(NULL, "button.gadget",
                                     GA_ID, 0,
                                     GA_ReadOnly, TRUE,
                                     GA_Image, logo_image,
                                     TAG_DONE);
    Object* root_layout = NewObject(LAYOUT_GetClass(), NULL,
                                    LAYOUT_Orientation, LAYOUT_ORIENT_VERT,
                                    LAYOUT_CharSet, flow.code_set(),
                                    LAYOUT_AddChild, logo_control,
                                    TAG_DONE);
    if (root_layout) {
      std::strncpy(window_title, flow.window_title().c_str(), trivelo::kTitleBufferSize - 1);
      window_title[trivelo::kTitleBufferSize - 1] = '\0';

      Object* window_object = NewObject(WINDOW_GetClass(), NULL,
                                        WINDOW_Position, WPOS_CENTERSCREEN,
                                        WINDOW_CharSet, flow.code_set(),
                                        WA_CloseGadget, TRUE,
                                        WA_SizeGadget, FALSE,
                                        WA_DepthGadget, TRUE,
                                        WA_DragBar, TRUE,
                                        WA_Title, window_title,
                                        WA_Activate, TRUE,
                                        WINDOW_Layout, root_layout,
                                        TAG_DONE);
      if (window_object) {
        struct Window* window = (struct Window*)IDoMethod(window_object, WM_OPEN);
        if (window) {
          ReactionShell shell(window_object, window, root_layout, flow.code_set());
          flow.begin(shell);

          ULONG signals = 0;
          GetAttr(WINDOW_SigMask, window_object, &signals);
          bool quit = false;
          while (!quit) {
            Wait(signals);
            quit = handle_input(window_object, flow);
          }
          DisposeObject(window_object);
          DisposeObject(logo_image);
          shell.window_disposed();
        } else {
          DisposeObject(window_object);
          DisposeObject(logo_image);
        }
      } else {
        // No window took the root layout: it is still ours to dispose, with the logo control.
        DisposeObject(root_layout);
        DisposeObject(logo_image);
      }
    } else {
      // The layout disposed the logo control it was given.
      DisposeObject(logo_image);
    }
    UnlockPubScreen(NULL, screen);
  }

  flow.finish();
  trivelo::temporairesupprimer(trivelo::kNomProgramme, workspace);
  drop_interfaces();
  close_libraries();
  FreeVec(window_title);
  return 0;
}

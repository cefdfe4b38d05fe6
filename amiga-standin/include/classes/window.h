#ifndef CLASSES_WINDOW_H
#define CLASSES_WINDOW_H
/* window.class: a window whose contents are a layout gadget tree. */

#include <exec/types.h>
#include <intuition/intuition.h>
#include <intuition/classusr.h>
#include <reaction/reaction.h>

#define WINDOW_Dummy (REACTION_Dummy + 0x25000)
#define WINDOW_Window (WINDOW_Dummy + 1)      /* (struct Window *) the open window, NULL when closed */
#define WINDOW_SigMask (WINDOW_Dummy + 2)     /* (ULONG) signals to Wait() for */
#define WINDOW_MenuStrip (WINDOW_Dummy + 4)
#define WINDOW_Layout (WINDOW_Dummy + 5)      /* (Object *) the root layout; disposed with the window */
#define WINDOW_UserData (WINDOW_Dummy + 6)
#define WINDOW_SharedPort (WINDOW_Dummy + 7)
#define WINDOW_Zoom (WINDOW_Dummy + 8)
#define WINDOW_FrontBack (WINDOW_Dummy + 9)
#define WINDOW_Activate (WINDOW_Dummy + 10)
#define WINDOW_LockWidth (WINDOW_Dummy + 11)
#define WINDOW_LockHeight (WINDOW_Dummy + 12)
#define WINDOW_AppPort (WINDOW_Dummy + 13)
#define WINDOW_Position (WINDOW_Dummy + 14)   /* (ULONG) WPOS_... */
#define WINDOW_IDCMPHook (WINDOW_Dummy + 15)
#define WINDOW_IDCMPHookBits (WINDOW_Dummy + 16)
#define WINDOW_GadgetUserData (WINDOW_Dummy + 17)
#define WINDOW_InterpretUserData (WINDOW_Dummy + 18)
#define WINDOW_MenuUserData (WINDOW_Dummy + 19)
#define WINDOW_IconTitle (WINDOW_Dummy + 20)
#define WINDOW_RefWindow (WINDOW_Dummy + 41)
#define WINDOW_GadgetHelp (WINDOW_Dummy + 43)
#define WINDOW_CharSet (WINDOW_Dummy + 54)    /* (ULONG) IANA number of the texts' character set */

/* WINDOW_Position */
#define WPOS_CENTERSCREEN 1UL
#define WPOS_CENTERMOUSE 2UL
#define WPOS_TOPLEFT 3UL
#define WPOS_CENTERWINDOW 4UL
#define WPOS_FULLSCREEN 5UL

/* Methods */
#define WM_Dummy (0x570000UL)
#define WM_HANDLEINPUT (WM_Dummy + 1) /* struct wmHandle; returns a WMHI_ result */
#define WM_OPEN (WM_Dummy + 2)        /* returns the open struct Window *, NULL on failure */
#define WM_CLOSE (WM_Dummy + 3)
#define WM_NEWPREFS (WM_Dummy + 4)
#define WM_ICONIFY (WM_Dummy + 5)
#define WM_RETHINK (WM_Dummy + 6)     /* fits the window to its layout's current size needs */

struct wmHandle {
    ULONG MethodID;
    UWORD *wmh_Code; /* receives the 16-bit code of the input (raw key code, ...) */
};

/* Results of WM_HANDLEINPUT: a class in the upper 16 bits and, for gadgets, the gadget ID below. */
#define WMHI_LASTMSG 0UL
#define WMHI_IGNORE 0xFFFFFFFFUL
#define WMHI_GADGETMASK 0x0000FFFFUL
#define WMHI_MENUMASK 0x0000FFFFUL
#define WMHI_KEYMASK 0x000000FFUL
#define WMHI_CLASSMASK 0xFFFF0000UL
#define WMHI_NOCLASS (0UL << 16)
#define WMHI_GADGETUP (1UL << 16)
#define WMHI_MENUPICK (2UL << 16)
#define WMHI_CLOSEWINDOW (3UL << 16)
#define WMHI_ACTIVE (4UL << 16)
#define WMHI_INACTIVE (5UL << 16)
#define WMHI_NEWSIZE (6UL << 16)
#define WMHI_MENUHELP (7UL << 16)
#define WMHI_GADGETHELP (8UL << 16)
#define WMHI_ICONIFY (9UL << 16)
#define WMHI_UNICONIFY (10UL << 16)
#define WMHI_RAWKEY (11UL << 16)
#define WMHI_VANILLAKEY (12UL << 16)
#define WMHI_CHANGEWINDOW (13UL << 16)
#define WMHI_INTUITICK (14UL << 16)
#define WMHI_MOUSEMOVE (15UL << 16)
#define WMHI_MOUSEBUTTONS (16UL << 16)

#endif

#ifndef INTUITION_INTUITION_H
#define INTUITION_INTUITION_H

#include <exec/types.h>
#include <exec/ports.h>
#include <utility/tagitem.h>

struct Menu;
struct RastPort;
struct Layer;
struct IntuiText;
struct Requester;
struct DrawInfo;

struct IBox {
    WORD Left;
    WORD Top;
    WORD Width;
    WORD Height;
};

struct Screen {
    struct Screen *NextScreen;
    struct Window *FirstWindow;
    WORD LeftEdge, TopEdge;
    WORD Width, Height;
    WORD MouseY, MouseX;
    UWORD Flags;
    UBYTE *Title;
    UBYTE *DefaultTitle;
};

struct Window {
    struct Window *NextWindow;
    WORD LeftEdge, TopEdge;
    WORD Width, Height;
    WORD MouseY, MouseX;
    WORD MinWidth, MinHeight;
    UWORD MaxWidth, MaxHeight;
    ULONG Flags;
    struct Menu *MenuStrip;
    UBYTE *Title;
    struct Requester *FirstRequest;
    struct Requester *DMRequest;
    WORD ReqCount;
    struct Screen *WScreen;
    struct RastPort *RPort;
    BYTE BorderLeft, BorderTop, BorderRight, BorderBottom;
    struct RastPort *BorderRPort;
    struct Gadget *FirstGadget;
    struct Window *Parent, *Descendant;
    UWORD *Pointer;
    BYTE PtrHeight;
    BYTE PtrWidth;
    BYTE XOffset, YOffset;
    ULONG IDCMPFlags;
    struct MsgPort *UserPort;
    struct MsgPort *WindowPort;
    struct IntuiMessage *MessageKey;
    UBYTE DetailPen, BlockPen;
    UBYTE *CheckMark;
    UBYTE *ScreenTitle;
    WORD GZZMouseX;
    WORD GZZMouseY;
    WORD GZZWidth;
    WORD GZZHeight;
    UBYTE *ExtData;
    BYTE *UserData;
};

struct Gadget {
    struct Gadget *NextGadget;
    WORD LeftEdge, TopEdge;
    WORD Width, Height;
    UWORD Flags;
    UWORD Activation;
    UWORD GadgetType;
    APTR GadgetRender;
    APTR SelectRender;
    struct IntuiText *GadgetText;
    LONG MutualExclude;
    APTR SpecialInfo;
    UWORD GadgetID;
    APTR UserData;
};

/* IDCMP classes */
#define IDCMP_SIZEVERIFY 0x00000001UL
#define IDCMP_NEWSIZE 0x00000002UL
#define IDCMP_REFRESHWINDOW 0x00000004UL
#define IDCMP_MOUSEBUTTONS 0x00000008UL
#define IDCMP_MOUSEMOVE 0x00000010UL
#define IDCMP_GADGETDOWN 0x00000020UL
#define IDCMP_GADGETUP 0x00000040UL
#define IDCMP_REQSET 0x00000080UL
#define IDCMP_MENUPICK 0x00000100UL
#define IDCMP_CLOSEWINDOW 0x00000200UL
#define IDCMP_RAWKEY 0x00000400UL
#define IDCMP_ACTIVEWINDOW 0x00040000UL
#define IDCMP_INACTIVEWINDOW 0x00080000UL
#define IDCMP_VANILLAKEY 0x00200000UL
#define IDCMP_IDCMPUPDATE 0x00800000UL

/* OpenWindowTags() / window.class window attributes */
#define WA_Dummy (TAG_USER + 99)
#define WA_Left (WA_Dummy + 1)
#define WA_Top (WA_Dummy + 2)
#define WA_Width (WA_Dummy + 3)
#define WA_Height (WA_Dummy + 4)
#define WA_DetailPen (WA_Dummy + 5)
#define WA_BlockPen (WA_Dummy + 6)
#define WA_IDCMP (WA_Dummy + 7)
#define WA_Flags (WA_Dummy + 8)
#define WA_Gadgets (WA_Dummy + 9)
#define WA_Checkmark (WA_Dummy + 10)
#define WA_Title (WA_Dummy + 11)
#define WA_ScreenTitle (WA_Dummy + 12)
#define WA_CustomScreen (WA_Dummy + 13)
#define WA_SuperBitMap (WA_Dummy + 14)
#define WA_MinWidth (WA_Dummy + 15)
#define WA_MinHeight (WA_Dummy + 16)
#define WA_MaxWidth (WA_Dummy + 17)
#define WA_MaxHeight (WA_Dummy + 18)
#define WA_InnerWidth (WA_Dummy + 19)
#define WA_InnerHeight (WA_Dummy + 20)
#define WA_PubScreenName (WA_Dummy + 21)
#define WA_PubScreen (WA_Dummy + 22)
#define WA_PubScreenFallBack (WA_Dummy + 23)
#define WA_Colors (WA_Dummy + 24)
#define WA_Zoom (WA_Dummy + 25)
#define WA_MouseQueue (WA_Dummy + 26)
#define WA_BackFill (WA_Dummy + 27)
#define WA_RptQueue (WA_Dummy + 28)
#define WA_SizeGadget (WA_Dummy + 29)
#define WA_DragBar (WA_Dummy + 30)
#define WA_DepthGadget (WA_Dummy + 31)
#define WA_CloseGadget (WA_Dummy + 32)
#define WA_Backdrop (WA_Dummy + 33)
#define WA_ReportMouse (WA_Dummy + 34)
#define WA_NoCareRefresh (WA_Dummy + 35)
#define WA_Borderless (WA_Dummy + 36)
#define WA_Activate (WA_Dummy + 37)
#define WA_RMBTrap (WA_Dummy + 38)
#define WA_WBenchWindow (WA_Dummy + 39)
#define WA_SimpleRefresh (WA_Dummy + 40)
#define WA_SmartRefresh (WA_Dummy + 41)
#define WA_SizeBRight (WA_Dummy + 42)
#define WA_SizeBBottom (WA_Dummy + 43)
#define WA_AutoAdjust (WA_Dummy + 44)
#define WA_GimmeZeroZero (WA_Dummy + 45)
#define WA_MenuHelp (WA_Dummy + 46)
#define WA_NewLookMenus (WA_Dummy + 47)
#define WA_AmigaKey (WA_Dummy + 48)
#define WA_NotifyDepth (WA_Dummy + 49)
#define WA_Pointer (WA_Dummy + 51)
#define WA_BusyPointer (WA_Dummy + 52)
#define WA_PointerDelay (WA_Dummy + 53)

#endif

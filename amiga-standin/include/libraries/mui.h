#ifndef LIBRARIES_MUI_H
#define LIBRARIES_MUI_H
/* Magic User Interface: class names, attribute and method identifiers and the constant values used
 * with them, as far as the stand-in's MUI classes know them. */

#include <exec/types.h>
#include <intuition/classes.h>
#include <intuition/classusr.h>
#include <utility/tagitem.h>

#define MUIMASTER_NAME "muimaster.library"

/* ---- Classes ---------------------------------------------------------------------------------------- */

#define MUIC_Notify "Notify.mui"
#define MUIC_Area "Area.mui"
#define MUIC_Application "Application.mui"
#define MUIC_Window "Window.mui"
#define MUIC_Group "Group.mui"
#define MUIC_Image "Image.mui"
#define MUIC_Text "Text.mui"
#define MUIC_String "String.mui"
#define MUIC_Gauge "Gauge.mui"

/* ---- Notify.mui ------------------------------------------------------------------------------------- */

#define MUIM_Notify 0x8042C9CBUL
/* DoMethod(obj, MUIM_Notify, attribute, value, target, count, method, arguments...): when the
 * attribute takes the value (MUIV_EveryTime: any value), the method with its count - 1 arguments is
 * sent to the target. */
struct MUIP_Notify {
    ULONG MethodID;
    ULONG TrigAttr;
    ULONG TrigVal;
    APTR DestObj;
    ULONG FollowParams; /* the method and its arguments follow */
};
#define MUIV_EveryTime 0x49893131UL

/* ---- Application.mui -------------------------------------------------------------------------------- */

#define MUIA_Application_Title 0x804281B8UL
#define MUIA_Application_Version 0x8042B33FUL
#define MUIA_Application_Copyright 0x8042EF4DUL
#define MUIA_Application_Author 0x80424842UL
#define MUIA_Application_Description 0x80421FC6UL
#define MUIA_Application_Base 0x8042E07AUL
#define MUIA_Application_Window 0x8042BFE0UL
#define MUIA_Application_Sleep 0x80425711UL

#define MUIM_Application_Input 0x8042D0F5UL
#define MUIM_Application_ReturnID 0x804276EFUL
struct MUIP_Application_Input {
    ULONG MethodID;
    ULONG *signal;
};
struct MUIP_Application_ReturnID {
    ULONG MethodID;
    ULONG retid;
};
#define MUIV_Application_ReturnID_Quit (-1L)

/* ---- Window.mui ------------------------------------------------------------------------------------- */

#define MUIA_Window_Title 0x8042AD3DUL
#define MUIA_Window_ID 0x804201BDUL
#define MUIA_Window_Width 0x8042DCAEUL
#define MUIA_Window_Height 0x80425846UL
#define MUIA_Window_LeftEdge 0x80426C65UL
#define MUIA_Window_CloseGadget 0x8042A110UL
#define MUIA_Window_SizeGadget 0x8042E33DUL
#define MUIA_Window_DepthGadget 0x80421923UL
#define MUIA_Window_DragBar 0x8042045DUL
#define MUIA_Window_Activate 0x80428D2FUL
#define MUIA_Window_Screen 0x8042DF4FUL
#define MUIA_Window_RootObject 0x8042CBA5UL
#define MUIA_Window_Open 0x80428AA0UL
#define MUIA_Window_CloseRequest 0x8042E86EUL
#define MUIV_Window_LeftEdge_Centered (-1L)

/* ---- Area.mui (every gadget-like object) ------------------------------------------------------------ */

#define MUIA_InnerLeft 0x804228F8UL
#define MUIA_InnerRight 0x804297FFUL
#define MUIA_InnerTop 0x80421EB6UL
#define MUIA_InnerBottom 0x8042F2C0UL
#define MUIA_Frame 0x8042AC64UL
#define MUIA_FrameTitle 0x8042D1C7UL
#define MUIA_Background 0x8042545BUL
#define MUIA_FixWidth 0x8042A3F1UL
#define MUIA_FixHeight 0x8042A92BUL
#define MUIA_InputMode 0x8042FB04UL
#define MUIA_Pressed 0x80423535UL

#define MUIV_Frame_None 0L
#define MUIV_Frame_ImageButton 2L
#define MUIV_Frame_Text 3L
#define MUIV_Frame_String 4L
#define MUIV_Frame_Gauge 8L
#define MUIV_Frame_Group 9L

#define MUIV_InputMode_None 0L
#define MUIV_InputMode_RelVerify 1L

/* Standard images and backgrounds (MUIA_Image_Spec, MUIA_Background) */
#define MUII_TextBack 4L
#define MUII_PopFile 19L
#define MUII_GroupBack 35L

/* ---- Group.mui -------------------------------------------------------------------------------------- */

#define MUIA_Group_Child 0x804226E6UL
#define MUIA_Group_Horiz 0x8042536BUL
#define MUIA_Group_Spacing 0x8042866DUL
#define MUIM_Group_InitChange 0x80420887UL
#define MUIM_Group_ExitChange 0x8042D1CCUL

/* ---- Image.mui -------------------------------------------------------------------------------------- */

#define MUIA_Image_Spec 0x804233D5UL
#define MUIA_Image_FreeHoriz 0x8042DA84UL
#define MUIA_Image_FreeVert 0x8042EA28UL

/* ---- Text.mui --------------------------------------------------------------------------------------- */

#define MUIA_Text_Contents 0x8042F8DCUL
/* Escape sequences of the text engine: ESC followed by one of these. */
#define MUIX_C "\033c" /* centred */
#define MUIX_L "\033l" /* left-aligned */
#define MUIX_R "\033r" /* right-aligned */

/* ---- String.mui ------------------------------------------------------------------------------------- */

#define MUIA_String_Contents 0x80428FFDUL
#define MUIA_String_MaxLen 0x80424984UL

/* ---- Gauge.mui -------------------------------------------------------------------------------------- */

#define MUIA_Gauge_Current 0x8042F0DDUL
#define MUIA_Gauge_Max 0x8042BCDBUL
#define MUIA_Gauge_Horiz 0x804232DDUL
#define MUIA_Gauge_InfoText 0x8042BF15UL

/* ---- MUI_MakeObjectA() ------------------------------------------------------------------------------ */

#define MUIO_Label 1L  /* STRPTR label, ULONG flags */
#define MUIO_Button 2L /* STRPTR label; an underscore marks the following letter as the shortcut */

#endif

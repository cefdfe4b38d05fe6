#ifndef INTUITION_IMAGECLASS_H
#define INTUITION_IMAGECLASS_H
/* Attributes of imageclass, the superclass of every BOOPSI image. */

#include <exec/types.h>
#include <utility/tagitem.h>

#define IA_Dummy (TAG_USER + 0x20000)
#define IA_Left (IA_Dummy + 1)
#define IA_Top (IA_Dummy + 2)
#define IA_Width (IA_Dummy + 3)
#define IA_Height (IA_Dummy + 4)
#define IA_FGPen (IA_Dummy + 5)
#define IA_BGPen (IA_Dummy + 6)
#define IA_Data (IA_Dummy + 7)
#define IA_LineWidth (IA_Dummy + 8)
#define IA_Pens (IA_Dummy + 14)
#define IA_Resolution (IA_Dummy + 15)
#define IA_APattern (IA_Dummy + 16)
#define IA_APatSize (IA_Dummy + 17)
#define IA_Mode (IA_Dummy + 18)
#define IA_Font (IA_Dummy + 19)
#define IA_Outline (IA_Dummy + 20)
#define IA_Recessed (IA_Dummy + 21)
#define IA_DoubleEmboss (IA_Dummy + 22)
#define IA_EdgesOnly (IA_Dummy + 23)
#define IA_Label (IA_Dummy + 24)
#define IA_Screen (IA_Dummy + 25)

#endif

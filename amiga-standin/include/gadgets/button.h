#ifndef GADGETS_BUTTON_H
#define GADGETS_BUTTON_H
/* button.gadget: a push button with a text (GA_Text) or an image face (GA_Image). The face image
 * is not disposed with the button. */

#include <exec/types.h>
#include <intuition/gadgetclass.h>
#include <reaction/reaction.h>

#define BUTTON_Dummy (REACTION_Dummy + 0x4000)
#define BUTTON_PushButton (BUTTON_Dummy + 1)
#define BUTTON_Glyph (BUTTON_Dummy + 2)
#define BUTTON_TextPen (BUTTON_Dummy + 5)
#define BUTTON_FillPen (BUTTON_Dummy + 6)
#define BUTTON_FillTextPen (BUTTON_Dummy + 7)
#define BUTTON_BackgroundPen (BUTTON_Dummy + 8)
#define BUTTON_RenderImage (BUTTON_Dummy + 9)
#define BUTTON_SelectImage (BUTTON_Dummy + 10)
#define BUTTON_BevelStyle (BUTTON_Dummy + 11)
#define BUTTON_Transparent (BUTTON_Dummy + 13)
#define BUTTON_Justification (BUTTON_Dummy + 14)
#define BUTTON_SoftStyle (BUTTON_Dummy + 15)
#define BUTTON_AutoButton (BUTTON_Dummy + 16)

#endif

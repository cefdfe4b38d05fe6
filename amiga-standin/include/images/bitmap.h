#ifndef IMAGES_BITMAP_H
#define IMAGES_BITMAP_H
/* bitmap.image: a picture loaded from a file through datatypes.library. NewObject() fails when the
 * file cannot be read as a picture. */

#include <exec/types.h>
#include <intuition/imageclass.h>
#include <reaction/reaction.h>

#define BITMAP_Dummy (REACTION_Dummy + 0x19000)
#define BITMAP_SourceFile (BITMAP_Dummy + 1)         /* (STRPTR) picture file to load */
#define BITMAP_Screen (BITMAP_Dummy + 2)             /* (struct Screen *) screen to remap for */
#define BITMAP_Precision (BITMAP_Dummy + 3)
#define BITMAP_Masking (BITMAP_Dummy + 4)
#define BITMAP_BitMap (BITMAP_Dummy + 5)
#define BITMAP_Width (BITMAP_Dummy + 6)
#define BITMAP_Height (BITMAP_Dummy + 7)
#define BITMAP_MaskPlane (BITMAP_Dummy + 8)
#define BITMAP_SelectSourceFile (BITMAP_Dummy + 9)
#define BITMAP_SelectBitMap (BITMAP_Dummy + 10)
#define BITMAP_SelectWidth (BITMAP_Dummy + 11)
#define BITMAP_SelectHeight (BITMAP_Dummy + 12)
#define BITMAP_SelectMaskPlane (BITMAP_Dummy + 13)
#define BITMAP_OffsetX (BITMAP_Dummy + 14)           /* (LONG) left edge of the part shown */
#define BITMAP_OffsetY (BITMAP_Dummy + 15)           /* (LONG) top edge of the part shown */
#define BITMAP_SelectOffsetX (BITMAP_Dummy + 16)
#define BITMAP_SelectOffsetY (BITMAP_Dummy + 17)

#endif

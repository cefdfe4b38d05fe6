#ifndef IMAGES_LABEL_H
#define IMAGES_LABEL_H
/* label.image: text (and images) drawn as one image. Each LABEL_Text adds a piece of text; "\n"
 * starts a new line. */

#include <exec/types.h>
#include <intuition/imageclass.h>
#include <reaction/reaction.h>

#define LABEL_Dummy (REACTION_Dummy + 0x6000)
#define LABEL_DrawInfo (LABEL_Dummy + 1)
#define LABEL_Text (LABEL_Dummy + 2)          /* (STRPTR) a piece of text, copied */
#define LABEL_Image (LABEL_Dummy + 3)
#define LABEL_Justification (LABEL_Dummy + 4) /* LJ_... */
#define LABEL_Mapping (LABEL_Dummy + 5)
#define LABEL_DisposeImage (LABEL_Dummy + 6)
#define LABEL_SoftStyle (LABEL_Dummy + 7)
#define LABEL_VerticalSpacing (LABEL_Dummy + 8)
#define LABEL_Underscore (LABEL_Dummy + 9)
#define LABEL_VerticalAlignment (LABEL_Dummy + 10)

/* LABEL_Justification */
#define LJ_LEFT 0UL
#define LJ_CENTER 1UL
#define LJ_CENTRE LJ_CENTER
#define LJ_RIGHT 2UL

#endif

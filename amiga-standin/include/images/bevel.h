#ifndef IMAGES_BEVEL_H
#define IMAGES_BEVEL_H
/* bevel.image: frames; its styles are also the frame styles of layout groups. */

#include <exec/types.h>
#include <intuition/imageclass.h>
#include <reaction/reaction.h>

#define BEVEL_Dummy (REACTION_Dummy + 0x16000)
#define BEVEL_Style (BEVEL_Dummy + 1)
#define BEVEL_Label (BEVEL_Dummy + 2)

/* BEVEL_Style, LAYOUT_BevelStyle */
#define BVS_THIN 0UL
#define BVS_BUTTON 1UL
#define BVS_GROUP 2UL
#define BVS_FIELD 3UL
#define BVS_NONE 4UL
#define BVS_DROPBOX 5UL
#define BVS_SBAR_HORIZ 6UL
#define BVS_SBAR_VERT 7UL
#define BVS_BOX 8UL
#define BVS_STANDARD 11UL
#define BVS_CONTAINER 12UL

#endif

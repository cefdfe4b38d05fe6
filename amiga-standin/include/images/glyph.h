#ifndef IMAGES_GLYPH_H
#define IMAGES_GLYPH_H
/* glyph.image: small system symbols for buttons. */

#include <exec/types.h>
#include <intuition/imageclass.h>
#include <reaction/reaction.h>

#define GLYPH_Dummy (REACTION_Dummy + 0x15000)
#define GLYPH_Glyph (GLYPH_Dummy + 1) /* GLYPH_... */

/* GLYPH_Glyph */
#define GLYPH_NONE 0UL
#define GLYPH_DOWNARROW 1UL
#define GLYPH_UPARROW 2UL
#define GLYPH_LEFTARROW 3UL
#define GLYPH_RIGHTARROW 4UL
#define GLYPH_DROPDOWN 5UL
#define GLYPH_POPUP 6UL
#define GLYPH_CHECKMARK 7UL
#define GLYPH_POPFONT 8UL
#define GLYPH_POPFILE 9UL
#define GLYPH_POPDRAWER 10UL
#define GLYPH_POPSCREENMODE 11UL
#define GLYPH_POPTIME 12UL

#endif

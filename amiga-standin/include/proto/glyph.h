#ifndef PROTO_GLYPH_H
#define PROTO_GLYPH_H
/* glyph.image, opened as "images/glyph.image". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <images/glyph.h>

extern struct Library *GlyphBase;

struct GlyphIFace {
    struct InterfaceData Data;
};
extern struct GlyphIFace *IGlyph;

Class *GLYPH_GetClass(void);

#endif

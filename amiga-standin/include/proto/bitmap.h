#ifndef PROTO_BITMAP_H
#define PROTO_BITMAP_H
/* bitmap.image, opened as "images/bitmap.image". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <images/bitmap.h>

extern struct Library *BitMapBase;

struct BitMapIFace {
    struct InterfaceData Data;
};
extern struct BitMapIFace *IBitMap;

Class *BITMAP_GetClass(void);

#endif

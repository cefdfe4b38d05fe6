#ifndef GRAPHICS_GFXBASE_H
#define GRAPHICS_GFXBASE_H

#include <exec/libraries.h>

/* graphics.library's base; programs of this project only open and close it. */
struct GfxBase {
    struct Library LibNode;
};

#endif

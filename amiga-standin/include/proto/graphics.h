#ifndef PROTO_GRAPHICS_H
#define PROTO_GRAPHICS_H
/* graphics.library: opened and closed only; no function of it is offered here. */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <graphics/gfxbase.h>

extern struct GfxBase *GfxBase;

struct GraphicsIFace {
    struct InterfaceData Data;
};
extern struct GraphicsIFace *IGraphics;

#endif

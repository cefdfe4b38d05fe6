#ifndef PROTO_LOWLEVEL_H
#define PROTO_LOWLEVEL_H
/* lowlevel.library: opened and closed only; no function of it is offered here. */

#include <exec/libraries.h>
#include <exec/interfaces.h>

extern struct Library *LowLevelBase;

struct LowLevelIFace {
    struct InterfaceData Data;
};
extern struct LowLevelIFace *ILowLevel;

#endif

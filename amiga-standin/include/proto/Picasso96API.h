#ifndef PROTO_PICASSO96API_H
#define PROTO_PICASSO96API_H
/* Picasso96API.library (AmigaOS 4): opened and closed only; no function of it is offered here. */

#include <exec/libraries.h>
#include <exec/interfaces.h>

extern struct Library *P96Base;

struct P96IFace {
    struct InterfaceData Data;
};
extern struct P96IFace *IP96;

#endif

#ifndef PROTO_LAYOUT_H
#define PROTO_LAYOUT_H
/* layout.gadget, opened as "gadgets/layout.gadget". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <gadgets/layout.h>

extern struct Library *LayoutBase;

struct LayoutIFace {
    struct InterfaceData Data;
};
extern struct LayoutIFace *ILayout;

Class *LAYOUT_GetClass(void);
/* Lays the group out anew and, with refresh, redraws it in the window. */
ULONG RethinkLayout(struct Gadget *gadget, struct Window *window, struct Requester *requester, LONG refresh);

#endif

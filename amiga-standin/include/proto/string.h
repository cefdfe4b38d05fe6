#ifndef PROTO_STRING_H
#define PROTO_STRING_H
/* string.gadget, opened as "gadgets/string.gadget". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <gadgets/string.h>

extern struct Library *StringBase;

struct StringIFace {
    struct InterfaceData Data;
};
extern struct StringIFace *IString;

Class *STRING_GetClass(void);

#endif

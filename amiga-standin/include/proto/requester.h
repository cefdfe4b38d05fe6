#ifndef PROTO_REQUESTER_H
#define PROTO_REQUESTER_H
/* requester.class, opened as "requester.class". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <classes/requester.h>

extern struct Library *RequesterBase;

struct RequesterIFace {
    struct InterfaceData Data;
};
extern struct RequesterIFace *IRequester;

Class *REQUESTER_GetClass(void);

#endif

#ifndef UTILITY_HOOKS_H
#define UTILITY_HOOKS_H

#include <exec/nodes.h>

struct Hook;
/* A hook function receives the hook, the object and the message. */
typedef ULONG (*HOOKFUNC)(struct Hook *hook, APTR object, APTR message);

struct Hook {
    struct MinNode h_MinNode;
    HOOKFUNC h_Entry;
    HOOKFUNC h_SubEntry;
    APTR h_Data;
};

#endif

#ifndef INTUITION_CLASSES_H
#define INTUITION_CLASSES_H

#include <exec/types.h>
#include <exec/nodes.h>
#include <utility/hooks.h>
#include <intuition/classusr.h>

/* A BOOPSI class.  Its dispatcher is a hook whose h_Entry receives (class, object, message). */
typedef struct IClass {
    struct Hook cl_Dispatcher;
    ULONG cl_Reserved;
    struct IClass *cl_Super;
    ClassID cl_ID;          /* public name, NULL for a private class */
    UWORD cl_InstOffset;    /* where this class's instance data starts in an object */
    UWORD cl_InstSize;
    ULONG cl_UserData;
    ULONG cl_SubclassCount;
    ULONG cl_ObjectCount;
    ULONG cl_Flags;
} Class;

#define CLF_INLIST 0x00000001

/* The header that precedes every object in memory. */
struct _Object {
    struct MinNode o_Node;
    struct IClass *o_Class;
};

#define _OBJ(o) ((struct _Object *)(o))
#define BASEOBJECT(o) ((Object *)(_OBJ(o) + 1))
#define _OBJECT(o) (_OBJ(o) - 1)
#define OCLASS(o) ((_OBJECT(o))->o_Class)
#define INST_DATA(cl, o) ((VOID *)(((UBYTE *)(o)) + (cl)->cl_InstOffset))

#endif

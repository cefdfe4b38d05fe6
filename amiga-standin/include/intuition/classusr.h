#ifndef INTUITION_CLASSUSR_H
#define INTUITION_CLASSUSR_H

#include <exec/types.h>
#include <utility/tagitem.h>

/* A BOOPSI object is known to its users only by its address. */
typedef ULONG Object;
typedef CONST_STRPTR ClassID;

/* A method message: the method identifier followed by the method's own fields. */
typedef struct Msg_ {
    ULONG MethodID;
} *Msg;

/* Public classes of the BOOPSI core */
#define ROOTCLASS "rootclass"

/* rootclass methods */
#define OM_Dummy 0x100
#define OM_NEW 0x101
#define OM_DISPOSE 0x102
#define OM_SET 0x103
#define OM_GET 0x104
#define OM_ADDTAIL 0x105
#define OM_REMOVE 0x106
#define OM_NOTIFY 0x107
#define OM_UPDATE 0x108
#define OM_ADDMEMBER 0x109
#define OM_REMMEMBER 0x10A

struct GadgetInfo;
struct List;

/* OM_NEW, OM_SET */
struct opSet {
    ULONG MethodID;
    struct TagItem *ops_AttrList;
    struct GadgetInfo *ops_GInfo; /* set by SetGadgetAttrs() when the gadget is in a window */
};

/* OM_NOTIFY, OM_UPDATE */
struct opUpdate {
    ULONG MethodID;
    struct TagItem *opu_AttrList;
    struct GadgetInfo *opu_GInfo;
    ULONG opu_Flags;
};
#define OPUF_INTERIM (1 << 0)
#define opNotify opUpdate

/* OM_GET */
struct opGet {
    ULONG MethodID;
    ULONG opg_AttrID;
    ULONG *opg_Storage;
};

/* OM_ADDTAIL */
struct opAddTail {
    ULONG MethodID;
    struct List *opat_List;
};

/* OM_ADDMEMBER, OM_REMMEMBER */
struct opMember {
    ULONG MethodID;
    Object *opam_Object;
};
#define opAddMember opMember

#endif

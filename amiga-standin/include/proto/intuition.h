#ifndef PROTO_INTUITION_H
#define PROTO_INTUITION_H

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/intuition.h>
#include <intuition/classes.h>
#include <intuition/classusr.h>
#include <intuition/cghooks.h>
#include <utility/tagitem.h>

extern struct Library *IntuitionBase;

struct IntuitionIFace {
    struct InterfaceData Data;
};
extern struct IntuitionIFace *IIntuition;

/* Public screens */
struct Screen *LockPubScreen(CONST_STRPTR name);
void UnlockPubScreen(CONST_STRPTR name, struct Screen *screen);

/* BOOPSI */
Object *NewObjectA(Class *classPtr, ClassID classID, const struct TagItem *tagList);
void DisposeObject(APTR object);
ULONG SetAttrsA(APTR object, const struct TagItem *tagList);
ULONG SetGadgetAttrsA(struct Gadget *gadget, struct Window *window, struct Requester *requester, const struct TagItem *tagList);
ULONG GetAttr(ULONG attrID, APTR object, ULONG *storagePtr);
ULONG IDoMethodA(Object *object, Msg msg); /* AmigaOS 4 */

/* Method calls of amiga.lib (a static link library, no library base needed) */
ULONG DoMethodA(Object *object, Msg msg);
ULONG DoSuperMethodA(Class *cl, Object *object, Msg msg);
ULONG CoerceMethodA(Class *cl, Object *object, Msg msg);

template <typename... T>
inline Object *NewObject(Class *classPtr, ClassID classID, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return NewObjectA(classPtr, classID, list.get());
}

template <typename... T>
inline ULONG SetAttrs(APTR object, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return SetAttrsA(object, list.get());
}

template <typename... T>
inline ULONG SetGadgetAttrs(struct Gadget *gadget, struct Window *window, struct Requester *requester, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return SetGadgetAttrsA(gadget, window, requester, list.get());
}

template <typename... T>
inline ULONG DoMethod(Object *object, T... args)
{
    standin::MethodMsg<sizeof...(T)> msg(args...);
    return DoMethodA(object, static_cast<Msg>(msg.get()));
}

template <typename... T>
inline ULONG IDoMethod(Object *object, T... args)
{
    standin::MethodMsg<sizeof...(T)> msg(args...);
    return IDoMethodA(object, static_cast<Msg>(msg.get()));
}

template <typename... T>
inline ULONG DoSuperMethod(Class *cl, Object *object, T... args)
{
    standin::MethodMsg<sizeof...(T)> msg(args...);
    return DoSuperMethodA(cl, object, static_cast<Msg>(msg.get()));
}

template <typename... T>
inline ULONG CoerceMethod(Class *cl, Object *object, T... args)
{
    standin::MethodMsg<sizeof...(T)> msg(args...);
    return CoerceMethodA(cl, object, static_cast<Msg>(msg.get()));
}

#endif

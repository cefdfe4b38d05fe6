#ifndef PROTO_ASL_H
#define PROTO_ASL_H

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <libraries/asl.h>

extern struct Library *AslBase;

struct AslIFace {
    struct InterfaceData Data;
};
extern struct AslIFace *IAsl;

APTR AllocAslRequest(ULONG reqType, struct TagItem *tagList);
BOOL AslRequest(APTR requester, struct TagItem *tagList);
void FreeAslRequest(APTR requester);

template <typename... T>
inline APTR AllocAslRequestTags(ULONG reqType, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return AllocAslRequest(reqType, list.get());
}

template <typename... T>
inline BOOL AslRequestTags(APTR requester, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return AslRequest(requester, list.get());
}

#endif

#ifndef PROTO_UTILITY_H
#define PROTO_UTILITY_H

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <utility/tagitem.h>
#include <utility/hooks.h>

extern struct Library *UtilityBase;

struct UtilityIFace {
    struct InterfaceData Data;
};
extern struct UtilityIFace *IUtility;

struct TagItem *AllocateTagItems(ULONG numTags);
void FreeTagItems(struct TagItem *tagList);
struct TagItem *NextTagItem(struct TagItem **tagListPtr);
struct TagItem *FindTagItem(Tag tagValue, const struct TagItem *tagList);
ULONG GetTagData(Tag tagValue, ULONG defaultVal, const struct TagItem *tagList);
ULONG CallHookPkt(struct Hook *hook, APTR object, APTR paramPacket);

#endif

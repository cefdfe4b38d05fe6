#ifndef PROTO_EXEC_H
#define PROTO_EXEC_H

#include <exec/exec.h>
#include <utility/tagitem.h>

/* exec.library, open from the start as the start-up code leaves it. */
extern struct ExecBase *SysBase;

struct ExecIFace {
    struct InterfaceData Data;
};
extern struct ExecIFace *IExec;

struct Library *OpenLibrary(CONST_STRPTR libName, ULONG version);
void CloseLibrary(struct Library *library);

struct Interface *GetInterface(struct Library *library, CONST_STRPTR name, ULONG version, const struct TagItem *taglist);
void DropInterface(struct Interface *interface);

APTR AllocVec(ULONG byteSize, ULONG requirements);
APTR AllocVecTagList(ULONG byteSize, const struct TagItem *tags);
void FreeVec(APTR memoryBlock);

struct Task *FindTask(CONST_STRPTR name);
void Forbid(void);
void Permit(void);

BYTE AllocSignal(BYTE signalNum);
void FreeSignal(BYTE signalNum);
ULONG SetSignal(ULONG newSignals, ULONG signalSet);
void Signal(struct Task *task, ULONG signalSet);
ULONG Wait(ULONG signalSet);

template <typename... T>
inline APTR AllocVecTags(ULONG byteSize, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return AllocVecTagList(byteSize, list.get());
}

#endif

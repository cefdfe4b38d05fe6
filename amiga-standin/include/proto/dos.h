#ifndef PROTO_DOS_H
#define PROTO_DOS_H

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <dos/dos.h>
#include <dos/dosextens.h>
#include <dos/dostags.h>
#include <utility/tagitem.h>

/* dos.library, open from the start as the start-up code leaves it. */
extern struct Library *DOSBase;

struct DOSIFace {
    struct InterfaceData Data;
};
extern struct DOSIFace *IDOS;

/* Files */
BPTR Open(CONST_STRPTR name, LONG accessMode);
LONG Close(BPTR file);
LONG Read(BPTR file, APTR buffer, LONG length);
LONG Write(BPTR file, CONST_APTR buffer, LONG length);
STRPTR FGets(BPTR fh, STRPTR buf, ULONG buflen);
LONG FPuts(BPTR fh, CONST_STRPTR str);
LONG FPutC(BPTR fh, LONG ch);
LONG FGetC(BPTR fh);
LONG Flush(BPTR fh);
BPTR Input(void);
BPTR Output(void);

/* Locks and objects */
BPTR Lock(CONST_STRPTR name, LONG type);
void UnLock(BPTR lock);
BPTR DupLock(BPTR lock);
BPTR CurrentDir(BPTR lock);
BPTR CreateDir(CONST_STRPTR name);
LONG DeleteFile(CONST_STRPTR name);
LONG Rename(CONST_STRPTR oldName, CONST_STRPTR newName);
LONG Examine(BPTR lock, struct FileInfoBlock *fileInfoBlock);
struct ExamineData *ExamineObject(const struct TagItem *tags);
LONG SetComment(CONST_STRPTR name, CONST_STRPTR comment);
LONG SetProtection(CONST_STRPTR name, LONG protect);
LONG SetFileDate(CONST_STRPTR name, const struct DateStamp *date); /* MorphOS and earlier */
LONG SetDate(CONST_STRPTR name, const struct DateStamp *date);     /* AmigaOS 4 */

APTR AllocDosObject(ULONG type, const struct TagItem *tags);
void FreeDosObject(ULONG type, APTR ptr);

/* Errors */
LONG IoErr(void);
LONG SetIoErr(LONG result);
LONG Fault(LONG code, CONST_STRPTR header, STRPTR buffer, LONG len);
BOOL PrintFault(LONG code, CONST_STRPTR header);

/* Shell processes */
ULONG MaxCli(void);
struct Process *FindCliProc(ULONG num);

template <typename... T>
inline struct ExamineData *ExamineObjectTags(T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return ExamineObject(list.get());
}

#endif

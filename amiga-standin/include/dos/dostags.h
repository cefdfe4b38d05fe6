#ifndef DOS_DOSTAGS_H
#define DOS_DOSTAGS_H

#include <utility/tagitem.h>

/* AllocDosObject() / FreeDosObject() types */
#define DOS_FILEHANDLE 0
#define DOS_EXALLCONTROL 1
#define DOS_FIB 2
#define DOS_STDPKT 3
#define DOS_CLI 4
#define DOS_RDARGS 5
#define DOS_EXAMINEDATA 12

/* ExamineObject() tags (AmigaOS 4): exactly one input names the object */
#define EX_Dummy (TAG_USER + 4000)
#define EX_StringNameInput (EX_Dummy + 1)
#define EX_FileHandleInput (EX_Dummy + 2)
#define EX_FileLockInput (EX_Dummy + 3)
#define EX_DataFields (EX_Dummy + 5)

#endif

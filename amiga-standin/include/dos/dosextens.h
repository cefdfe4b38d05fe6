#ifndef DOS_DOSEXTENS_H
#define DOS_DOSEXTENS_H

#include <exec/tasks.h>
#include <exec/ports.h>
#include <dos/dos.h>

/* A process: a task that can use dos.library. */
struct Process {
    struct Task pr_Task;
    struct MsgPort pr_MsgPort;
    WORD pr_Pad;
    BPTR pr_SegList;
    LONG pr_StackSize;
    APTR pr_GlobVec;
    LONG pr_TaskNum;   /* CLI number, 0 when not a CLI process */
    BPTR pr_StackBase;
    LONG pr_Result2;   /* the value of IoErr() */
    BPTR pr_CurrentDir;
    BPTR pr_CIS;
    BPTR pr_COS;
    APTR pr_ConsoleTask;
    APTR pr_FileSystemTask;
    BPTR pr_CLI;       /* BPTR to a struct CommandLineInterface, 0 when started from Workbench */
    APTR pr_ReturnAddr;
    APTR pr_PktWait;
    APTR pr_WindowPtr;
    BPTR pr_HomeDir;
    LONG pr_Flags;
};

struct CommandLineInterface {
    LONG cli_Result2;
    BSTR cli_SetName;
    BPTR cli_CommandDir;
    LONG cli_ReturnCode;
    BSTR cli_CommandName; /* the command running in this shell, "" when none */
    LONG cli_FailLevel;
    BSTR cli_Prompt;
    BPTR cli_StandardInput;
    BPTR cli_CurrentInput;
    BSTR cli_CommandFile;
    LONG cli_Interactive;
    LONG cli_Background;
    BPTR cli_CurrentOutput;
    LONG cli_DefaultStack;
    BPTR cli_StandardOutput;
    BPTR cli_Module;
};

/* What a file handle BPTR points to.  The stand-in keeps its own state elsewhere; these fields stay 0. */
struct FileHandle {
    struct Message *fh_Link;
    struct MsgPort *fh_Port;
    struct MsgPort *fh_Type;
    LONG fh_Buf;
    LONG fh_Pos;
    LONG fh_End;
    LONG fh_Funcs;
    LONG fh_Func2;
    LONG fh_Func3;
    LONG fh_Args;
    LONG fh_Arg2;
};

/* What a lock BPTR points to. */
struct FileLock {
    BPTR fl_Link;
    LONG fl_Key;
    LONG fl_Access; /* SHARED_LOCK or EXCLUSIVE_LOCK */
    struct MsgPort *fl_Task;
    BPTR fl_Volume;
};

#endif

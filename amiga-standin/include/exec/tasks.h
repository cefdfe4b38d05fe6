#ifndef EXEC_TASKS_H
#define EXEC_TASKS_H

#include <exec/nodes.h>
#include <exec/lists.h>

struct Task {
    struct Node tc_Node; /* ln_Name: the task's name; ln_Type NT_TASK or NT_PROCESS */
    UBYTE tc_Flags;
    UBYTE tc_State;
    BYTE tc_IDNestCnt;
    BYTE tc_TDNestCnt;
    ULONG tc_SigAlloc;
    ULONG tc_SigWait;
    ULONG tc_SigRecvd;
    ULONG tc_SigExcept;
    APTR tc_SPReg;
    APTR tc_SPLower;
    APTR tc_SPUpper;
    struct List tc_MemEntry;
    APTR tc_UserData;
};

#define TS_INVALID 0
#define TS_ADDED 1
#define TS_RUN 2
#define TS_READY 3
#define TS_WAIT 4

#define SIGB_ABORT 0
#define SIGB_CHILD 1
#define SIGB_BLIT 4
#define SIGB_SINGLE 4
#define SIGB_INTUITION 5
#define SIGB_DOS 8
#define SIGBREAKB_CTRL_C 12
#define SIGBREAKB_CTRL_D 13
#define SIGBREAKB_CTRL_E 14
#define SIGBREAKB_CTRL_F 15

#define SIGF_ABORT (1UL << SIGB_ABORT)
#define SIGF_CHILD (1UL << SIGB_CHILD)
#define SIGF_SINGLE (1UL << SIGB_SINGLE)
#define SIGF_INTUITION (1UL << SIGB_INTUITION)
#define SIGF_DOS (1UL << SIGB_DOS)
#define SIGBREAKF_CTRL_C (1UL << SIGBREAKB_CTRL_C)
#define SIGBREAKF_CTRL_D (1UL << SIGBREAKB_CTRL_D)
#define SIGBREAKF_CTRL_E (1UL << SIGBREAKB_CTRL_E)
#define SIGBREAKF_CTRL_F (1UL << SIGBREAKB_CTRL_F)

#endif

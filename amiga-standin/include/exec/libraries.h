#ifndef EXEC_LIBRARIES_H
#define EXEC_LIBRARIES_H

#include <exec/nodes.h>

struct Library {
    struct Node lib_Node; /* ln_Name: the library's name, e.g. "asl.library" */
    UBYTE lib_Flags;
    UBYTE lib_pad;
    UWORD lib_NegSize;
    UWORD lib_PosSize;
    UWORD lib_Version;
    UWORD lib_Revision;
    APTR lib_IdString;
    ULONG lib_Sum;
    UWORD lib_OpenCnt;
};

#endif

#ifndef EXEC_INTERFACES_H
#define EXEC_INTERFACES_H

#include <exec/nodes.h>
#include <exec/libraries.h>

/* An AmigaOS 4 library interface.  Every XxxIFace structure starts with this data. */
struct InterfaceData {
    struct Node Link; /* ln_Name: the interface name, e.g. "main" */
    struct Library *LibBase;
    ULONG RefCount;
    ULONG Version;
    ULONG Flags;
    ULONG CheckSum;
    ULONG PositiveSize;
    ULONG NegativeSize;
    APTR IExecPrivate;
    APTR EnvironmentPointer;
    ULONG Reserved3;
    ULONG Reserved4;
};

struct Interface {
    struct InterfaceData Data;
};

#endif

#ifndef EXEC_EXECBASE_H
#define EXEC_EXECBASE_H

#include <exec/libraries.h>
#include <exec/tasks.h>

struct ExecBase {
    struct Library LibNode;
    struct Task *ThisTask;
};

#endif

#ifndef EXEC_EXEC_H
#define EXEC_EXEC_H

#include <exec/types.h>
#include <exec/nodes.h>
#include <exec/lists.h>
#include <exec/ports.h>
#include <exec/libraries.h>
#include <exec/memory.h>
#include <exec/tasks.h>
#include <exec/interfaces.h>
#include <exec/execbase.h>

#endif

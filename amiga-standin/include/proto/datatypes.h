#ifndef PROTO_DATATYPES_H
#define PROTO_DATATYPES_H
/* datatypes.library: opened and closed only; no function of it is offered here (bitmap.image
 * loads its pictures itself). */

#include <exec/libraries.h>
#include <exec/interfaces.h>

extern struct Library *DataTypesBase;

struct DataTypesIFace {
    struct InterfaceData Data;
};
extern struct DataTypesIFace *IDataTypes;

#endif

#ifndef REACTION_REACTION_H
#define REACTION_REACTION_H
/* Base of the attribute numbers of the ReAction classes; each class numbers its attributes from
 * its own Dummy value. */

#include <exec/types.h>
#include <utility/tagitem.h>

#define REACTION_Dummy (TAG_USER + 0x5000000)

#endif

#ifndef EXEC_MEMORY_H
#define EXEC_MEMORY_H

#include <exec/types.h>
#include <utility/tagitem.h>

#define MEMF_ANY 0UL
#define MEMF_PUBLIC (1UL << 0)
#define MEMF_CHIP (1UL << 1)
#define MEMF_FAST (1UL << 2)
#define MEMF_VIRTUAL (1UL << 3)
#define MEMF_EXECUTABLE (1UL << 4)
#define MEMF_LOCAL (1UL << 8)
#define MEMF_PRIVATE (1UL << 11)
#define MEMF_SHARED (1UL << 12)
#define MEMF_CLEAR (1UL << 16)
#define MEMF_REVERSE (1UL << 18)

/* Tags of AllocVecTags (AmigaOS 4) */
#define AVT_Dummy (TAG_USER)
#define AVT_Type (AVT_Dummy + 1)
#define AVT_Contiguous (AVT_Dummy + 2)
#define AVT_Lock (AVT_Dummy + 3)
#define AVT_Alignment (AVT_Dummy + 4)
#define AVT_PhysicalAlignment (AVT_Dummy + 5)
#define AVT_ClearWithValue (AVT_Dummy + 6)
#define AVT_Wait (AVT_Dummy + 7)
#define AVT_NoExpunge (AVT_Dummy + 8)
/* data TRUE: fill the block with zeros */
#define AVT_Clear (AVT_Dummy + 9)

#endif

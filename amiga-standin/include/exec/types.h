#ifndef EXEC_TYPES_H
#define EXEC_TYPES_H
/* Basic Amiga types.
 *
 * LONG and ULONG are `long`, so that a tag value or a method argument of type ULONG can carry a pointer
 * on a 64-bit host just as it does on the 32-bit machine.  This holds wherever `long` is as wide as a
 * pointer (LP64 and ILP32 hosts). */

#include <cstddef>

#define VOID void
#define CONST const

typedef void *APTR;
typedef const void *CONST_APTR;

typedef long LONG;
typedef unsigned long ULONG;
typedef short WORD;
typedef unsigned short UWORD;
typedef signed char BYTE;
typedef unsigned char UBYTE;
typedef short BOOL;

typedef char TEXT;
typedef char *STRPTR;
typedef const char *CONST_STRPTR;

/* BCPL pointer (an address divided by four) and BCPL string (a BCPL pointer to a length byte followed
 * by the characters). */
typedef long BPTR;
typedef long BSTR;

/* AmigaOS 4 spellings. */
typedef signed char int8;
typedef unsigned char uint8;
typedef short int16;
typedef unsigned short uint16;
typedef long int32;
typedef unsigned long uint32;
typedef long long int64;
typedef unsigned long long uint64;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

static_assert(sizeof(ULONG) == sizeof(void *), "ULONG must be as wide as a pointer on this host");
static_assert(sizeof(uint32) == sizeof(ULONG) && sizeof(int32) == sizeof(LONG), "uint32/int32 follow ULONG/LONG");

#endif

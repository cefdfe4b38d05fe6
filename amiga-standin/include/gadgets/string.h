#ifndef GADGETS_STRING_H
#define GADGETS_STRING_H
/* string.gadget: one editable line of text. */

#include <exec/types.h>
#include <intuition/gadgetclass.h>
#include <reaction/reaction.h>

#define STRINGA_Dummy (TAG_USER + 0x32000)
#define STRINGA_MaxChars (STRINGA_Dummy + 1)   /* (WORD) buffer size, the terminating zero included */
#define STRINGA_Buffer (STRINGA_Dummy + 2)
#define STRINGA_UndoBuffer (STRINGA_Dummy + 3)
#define STRINGA_WorkBuffer (STRINGA_Dummy + 4)
#define STRINGA_BufferPos (STRINGA_Dummy + 5)
#define STRINGA_DispPos (STRINGA_Dummy + 6)
#define STRINGA_AltKeyMap (STRINGA_Dummy + 7)
#define STRINGA_Font (STRINGA_Dummy + 8)
#define STRINGA_Pens (STRINGA_Dummy + 9)
#define STRINGA_ActivePens (STRINGA_Dummy + 10)
#define STRINGA_EditHook (STRINGA_Dummy + 11)
#define STRINGA_EditModes (STRINGA_Dummy + 12)
#define STRINGA_ReplaceMode (STRINGA_Dummy + 13)
#define STRINGA_FixedFieldMode (STRINGA_Dummy + 14)
#define STRINGA_NoFilterMode (STRINGA_Dummy + 15)
#define STRINGA_Justification (STRINGA_Dummy + 16)
#define STRINGA_LongVal (STRINGA_Dummy + 17)
#define STRINGA_TextVal (STRINGA_Dummy + 18)   /* (STRPTR) the contents; copied in, cut to MaxChars-1 */
#define STRINGA_ExitHelp (STRINGA_Dummy + 19)

#define STRING_Dummy (REACTION_Dummy + 0x55000)
#define STRINGA_MinVisible (STRING_Dummy + 1)
#define STRINGA_HookType (STRING_Dummy + 2)
#define STRINGA_GetBlockPos (STRING_Dummy + 3)
#define STRINGA_Mark (STRING_Dummy + 4)

#endif

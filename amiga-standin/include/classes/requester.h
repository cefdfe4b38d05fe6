#ifndef CLASSES_REQUESTER_H
#define CLASSES_REQUESTER_H
/* requester.class: modal information, integer and string requesters. */

#include <exec/types.h>
#include <intuition/intuition.h>
#include <intuition/classusr.h>
#include <reaction/reaction.h>

#define REQ_Dummy (REACTION_Dummy + 0x45000)
#define REQ_Type (REQ_Dummy + 1)        /* REQTYPE_... */
#define REQ_TitleText (REQ_Dummy + 2)   /* (STRPTR) */
#define REQ_BodyText (REQ_Dummy + 3)    /* (STRPTR) */
#define REQ_GadgetText (REQ_Dummy + 4)  /* (STRPTR) button texts separated by "|" */
#define REQ_ReturnCode (REQ_Dummy + 5)  /* (ULONG) the answer of the last RM_OPENREQ */
#define REQ_TabSize (REQ_Dummy + 6)
#define REQ_Image (REQ_Dummy + 7)       /* REQIMAGE_... */
#define REQ_CharSet (REQ_Dummy + 14)    /* (ULONG) IANA number of the texts' character set */

/* REQ_Type */
#define REQTYPE_INFO 0UL
#define REQTYPE_INTEGER 1UL
#define REQTYPE_STRING 2UL

/* REQ_Image */
#define REQIMAGE_DEFAULT 0UL
#define REQIMAGE_INFO 1UL
#define REQIMAGE_WARNING 2UL
#define REQIMAGE_ERROR 3UL
#define REQIMAGE_QUESTION 4UL
#define REQIMAGE_INSERTDISK 5UL

/* Methods */
#define RM_Dummy (0x650000UL)
#define RM_OPENREQ (RM_Dummy + 1) /* struct orRequest; returns when the user has answered */

struct orRequest {
    ULONG MethodID;
    struct TagItem *or_Attrs;  /* attributes to set first, or NULL */
    struct Window *or_Window;  /* reference window, or NULL */
    struct Screen *or_Screen;  /* screen to open on, or NULL for the default public screen */
};

#endif

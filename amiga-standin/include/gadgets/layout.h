#ifndef GADGETS_LAYOUT_H
#define GADGETS_LAYOUT_H
/* layout.gadget: a group that places its children in a row or a column. A group owns the gadgets
 * and images added to it and disposes them with itself. */

#include <exec/types.h>
#include <intuition/intuition.h>
#include <intuition/classusr.h>
#include <intuition/gadgetclass.h>
#include <reaction/reaction.h>

#define LAYOUT_Dummy (REACTION_Dummy + 0x7000)
#define LAYOUT_Orientation (LAYOUT_Dummy + 1)    /* LAYOUT_ORIENT_...; horizontal by default */
#define LAYOUT_FixedHoriz (LAYOUT_Dummy + 2)
#define LAYOUT_FixedVert (LAYOUT_Dummy + 3)
#define LAYOUT_HorizAlignment (LAYOUT_Dummy + 4) /* LALIGN_... */
#define LAYOUT_VertAlignment (LAYOUT_Dummy + 5)  /* LALIGN_... */
#define LAYOUT_ShrinkWrap (LAYOUT_Dummy + 6)
#define LAYOUT_EvenSize (LAYOUT_Dummy + 7)
#define LAYOUT_InnerSpacing (LAYOUT_Dummy + 9)
#define LAYOUT_TopSpacing (LAYOUT_Dummy + 10)
#define LAYOUT_BottomSpacing (LAYOUT_Dummy + 11)
#define LAYOUT_LeftSpacing (LAYOUT_Dummy + 12)
#define LAYOUT_RightSpacing (LAYOUT_Dummy + 13)
#define LAYOUT_BevelState (LAYOUT_Dummy + 14)
#define LAYOUT_BevelStyle (LAYOUT_Dummy + 15)    /* BVS_... (images/bevel.h) */
#define LAYOUT_Label (LAYOUT_Dummy + 16)         /* (STRPTR) title of the group's frame */
#define LAYOUT_LabelImage (LAYOUT_Dummy + 17)
#define LAYOUT_LabelPlace (LAYOUT_Dummy + 18)
#define LAYOUT_RemoveChild (LAYOUT_Dummy + 19)
#define LAYOUT_AddChild (LAYOUT_Dummy + 20)      /* (Object *) a gadget; NULL makes the group fail */
#define LAYOUT_AddImage (LAYOUT_Dummy + 21)      /* (Object *) an image; NULL makes the group fail */
#define LAYOUT_ModifyChild (LAYOUT_Dummy + 22)
#define LAYOUT_RelVerify (LAYOUT_Dummy + 23)
#define LAYOUT_RelCode (LAYOUT_Dummy + 24)
#define LAYOUT_Parent (LAYOUT_Dummy + 25)
#define LAYOUT_DeferLayout (LAYOUT_Dummy + 26)
#define LAYOUT_RequestLayout (LAYOUT_Dummy + 27)
#define LAYOUT_RequestRefresh (LAYOUT_Dummy + 28)
#define LAYOUT_TextPen (LAYOUT_Dummy + 29)
#define LAYOUT_FillPen (LAYOUT_Dummy + 30)
#define LAYOUT_FillPattern (LAYOUT_Dummy + 31)
#define LAYOUT_PageBackFill (LAYOUT_Dummy + 32)
#define LAYOUT_BackFill (LAYOUT_Dummy + 33)
#define LAYOUT_TabVerify (LAYOUT_Dummy + 34)
#define LAYOUT_LabelColumn (LAYOUT_Dummy + 35)
#define LAYOUT_LabelWidth (LAYOUT_Dummy + 36)
#define LAYOUT_AlignLabels (LAYOUT_Dummy + 37)
#define LAYOUT_SpaceOuter (LAYOUT_Dummy + 38)    /* (BOOL) space around the children */
#define LAYOUT_SpaceInner (LAYOUT_Dummy + 39)
#define LAYOUT_CharSet (LAYOUT_Dummy + 47)       /* (ULONG) IANA number of the texts' character set */

/* Attributes of the child added last (given after its LAYOUT_AddChild / LAYOUT_AddImage) */
#define CHILD_Dummy (LAYOUT_Dummy + 0x100)
#define CHILD_MinWidth (CHILD_Dummy + 1)
#define CHILD_MinHeight (CHILD_Dummy + 2)
#define CHILD_MaxWidth (CHILD_Dummy + 3)
#define CHILD_MaxHeight (CHILD_Dummy + 4)
#define CHILD_WeightedWidth (CHILD_Dummy + 5)    /* (ULONG) share of the free width, default 100 */
#define CHILD_WeightedHeight (CHILD_Dummy + 6)   /* (ULONG) share of the free height, default 100 */
#define CHILD_ReplaceObject (CHILD_Dummy + 7)
#define CHILD_ReplaceImage (CHILD_Dummy + 8)
#define CHILD_CacheDomain (CHILD_Dummy + 9)
#define CHILD_WeightMinimum (CHILD_Dummy + 10)
#define CHILD_NominalSize (CHILD_Dummy + 11)
#define CHILD_Label (CHILD_Dummy + 12)           /* (Object *) a label image; owned by the group */
#define CHILD_NoDispose (CHILD_Dummy + 13)
#define CHILD_ScaleHeight (CHILD_Dummy + 14)
#define CHILD_ScaleWidth (CHILD_Dummy + 15)

/* LAYOUT_Orientation */
#define LAYOUT_ORIENT_HORIZ 0UL
#define LAYOUT_ORIENT_VERT 1UL
#define LAYOUT_HORIZONTAL LAYOUT_ORIENT_HORIZ
#define LAYOUT_VERTICAL LAYOUT_ORIENT_VERT

/* LAYOUT_HorizAlignment, LAYOUT_VertAlignment */
#define LALIGN_LEFT 0UL
#define LALIGN_RIGHT 1UL
#define LALIGN_CENTER 2UL
#define LALIGN_CENTRE LALIGN_CENTER
#define LALIGN_TOP LALIGN_LEFT
#define LALIGN_BOTTOM LALIGN_RIGHT

/* Methods */
#define LM_Dummy (0x540000UL)
#define LM_ADDCHILD (LM_Dummy + 1)    /* struct lmAddChild; TRUE when added */
#define LM_ADDIMAGE (LM_Dummy + 2)    /* struct lmAddImage */
#define LM_REMOVECHILD (LM_Dummy + 3) /* struct lmRemoveChild; the child is disposed */
#define LM_INSERTCHILD (LM_Dummy + 4)
#define LM_INSERTIMAGE (LM_Dummy + 5)

struct lmAddChild {
    ULONG MethodID;
    struct Window *lm_Window;
    Object *lm_Object;
    struct TagItem *lm_ObjectAttrs; /* CHILD_ attributes, or NULL */
};

struct lmAddImage {
    ULONG MethodID;
    struct Window *lm_Window;
    Object *lm_Object;
    struct TagItem *lm_ObjectAttrs;
};

struct lmRemoveChild {
    ULONG MethodID;
    struct Window *lm_Window;
    Object *lm_Object;
};

#endif

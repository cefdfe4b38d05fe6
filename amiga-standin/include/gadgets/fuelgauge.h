#ifndef GADGETS_FUELGAUGE_H
#define GADGETS_FUELGAUGE_H
/* fuelgauge.gadget: a progress bar. */

#include <exec/types.h>
#include <intuition/gadgetclass.h>
#include <reaction/reaction.h>

#define FUELGAUGE_Dummy (REACTION_Dummy + 0x12000)
#define FUELGAUGE_Min (FUELGAUGE_Dummy + 1)
#define FUELGAUGE_Max (FUELGAUGE_Dummy + 2)
#define FUELGAUGE_Level (FUELGAUGE_Dummy + 3)       /* (LONG) the value shown */
#define FUELGAUGE_Orientation (FUELGAUGE_Dummy + 4) /* FGORIENT_... */
#define FUELGAUGE_Percent (FUELGAUGE_Dummy + 5)     /* (BOOL) shows the level as a percentage */
#define FUELGAUGE_Ticks (FUELGAUGE_Dummy + 6)       /* (WORD) number of tick marks */
#define FUELGAUGE_ShortTicks (FUELGAUGE_Dummy + 7)  /* (BOOL) short ticks between the long ones */
#define FUELGAUGE_TickSize (FUELGAUGE_Dummy + 8)    /* (WORD) height of the ticks */
#define FUELGAUGE_TickPen (FUELGAUGE_Dummy + 9)
#define FUELGAUGE_PercentPen (FUELGAUGE_Dummy + 10)
#define FUELGAUGE_FillPen (FUELGAUGE_Dummy + 11)
#define FUELGAUGE_EmptyPen (FUELGAUGE_Dummy + 12)
#define FUELGAUGE_VarArgs (FUELGAUGE_Dummy + 13)
#define FUELGAUGE_Justification (FUELGAUGE_Dummy + 14)

/* FUELGAUGE_Orientation */
#define FGORIENT_HORIZ 0UL
#define FGORIENT_VERT 1UL

#endif

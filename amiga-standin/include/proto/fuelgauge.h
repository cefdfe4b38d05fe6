#ifndef PROTO_FUELGAUGE_H
#define PROTO_FUELGAUGE_H
/* fuelgauge.gadget, opened as "gadgets/fuelgauge.gadget". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <gadgets/fuelgauge.h>

extern struct Library *FuelGaugeBase;

struct FuelGaugeIFace {
    struct InterfaceData Data;
};
extern struct FuelGaugeIFace *IFuelGauge;

Class *FUELGAUGE_GetClass(void);

#endif

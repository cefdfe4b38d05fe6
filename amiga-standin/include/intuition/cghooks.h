#ifndef INTUITION_CGHOOKS_H
#define INTUITION_CGHOOKS_H

#include <intuition/intuition.h>

/* What a gadget is told about its surroundings when it is changed inside a window. */
struct GadgetInfo {
    struct Requester *gi_Requester;
    struct Window *gi_Window;
    struct Screen *gi_Screen;
    struct RastPort *gi_RastPort;
    struct Layer *gi_Layer;
    struct IBox gi_Domain;
    struct {
        UBYTE DetailPen;
        UBYTE BlockPen;
    } gi_Pens;
    struct DrawInfo *gi_DrInfo;
    ULONG gi_Reserved[6];
};

#endif

#ifndef PROTO_LABEL_H
#define PROTO_LABEL_H
/* label.image, opened as "images/label.image". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <images/label.h>

extern struct Library *LabelBase;

struct LabelIFace {
    struct InterfaceData Data;
};
extern struct LabelIFace *ILabel;

Class *LABEL_GetClass(void);

#endif

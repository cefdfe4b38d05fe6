#ifndef PROTO_BUTTON_H
#define PROTO_BUTTON_H
/* button.gadget, opened as "gadgets/button.gadget"; public class "button.gadget". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <gadgets/button.h>

extern struct Library *ButtonBase;

struct ButtonIFace {
    struct InterfaceData Data;
};
extern struct ButtonIFace *IButton;

Class *BUTTON_GetClass(void);

#endif

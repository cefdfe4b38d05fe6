#ifndef PROTO_WINDOW_H
#define PROTO_WINDOW_H
/* window.class, opened as "window.class". */

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <intuition/classes.h>
#include <classes/window.h>

extern struct Library *WindowBase;

struct WindowIFace {
    struct InterfaceData Data;
};
extern struct WindowIFace *IWindow;

Class *WINDOW_GetClass(void);

#endif

// muimaster.library's base, in an object file of its own so that a program may define it itself.
#include <proto/muimaster.h>

struct Library *MUIMasterBase = nullptr;

#ifndef PROTO_APPLICATION_H
#define PROTO_APPLICATION_H

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <libraries/application.h>

/* application.library (AmigaOS 4), used through its "application" interface. */
extern struct Library *ApplicationBase;

struct ApplicationIFace {
    struct InterfaceData Data;
};
extern struct ApplicationIFace *IApplication;

/* The ID of the registered application that the tags describe, 0 when there is none. */
ULONG FindApplicationA(struct TagItem *tags);

template <typename... T>
inline ULONG FindApplication(T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return FindApplicationA(list.get());
}

#endif

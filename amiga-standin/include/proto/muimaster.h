#ifndef PROTO_MUIMASTER_H
#define PROTO_MUIMASTER_H

#include <exec/libraries.h>
#include <libraries/mui.h>
#include <utility/tagitem.h>

extern struct Library *MUIMasterBase;

/* muimaster.library */
Object *MUI_NewObjectA(CONST_STRPTR classname, struct TagItem *tags);
void MUI_DisposeObject(Object *obj);
LONG MUI_RequestA(APTR app, APTR win, ULONG flags, CONST_STRPTR title, CONST_STRPTR gadgets, CONST_STRPTR format,
                  APTR params);
APTR MUI_MakeObjectA(LONG type, ULONG *params);

template <typename... T>
inline Object *MUI_NewObject(CONST_STRPTR classname, T... tags)
{
    standin::TagList<sizeof...(T)> list(tags...);
    return MUI_NewObjectA(classname, list.get());
}

template <typename... T>
inline APTR MUI_MakeObject(LONG type, T... params)
{
    ULONG values[] = {standin::tag_value(params)..., 0UL};
    return MUI_MakeObjectA(type, values);
}

template <typename... T>
inline LONG MUI_Request(APTR app, APTR win, ULONG flags, CONST_STRPTR title, CONST_STRPTR gadgets, CONST_STRPTR format,
                        T... params)
{
    ULONG values[] = {standin::tag_value(params)..., 0UL};
    return MUI_RequestA(app, win, flags, title, gadgets, format, sizeof...(T) ? values : nullptr);
}

#endif

#ifndef PROTO_LOCALE_H
#define PROTO_LOCALE_H

#include <exec/libraries.h>
#include <exec/interfaces.h>
#include <libraries/locale.h>

extern struct Library *LocaleBase;

struct LocaleIFace {
    struct InterfaceData Data;
};
extern struct LocaleIFace *ILocale;

/* NULL name: the user's current default locale (NULL when there is none). */
struct Locale *OpenLocale(CONST_STRPTR name);
void CloseLocale(struct Locale *locale);

#endif

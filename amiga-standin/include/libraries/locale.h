#ifndef LIBRARIES_LOCALE_H
#define LIBRARIES_LOCALE_H

#include <exec/types.h>

/* A locale as OpenLocale() gives it; read-only for the program. */
struct Locale {
    STRPTR loc_LocaleName;
    STRPTR loc_LanguageName;     /* e.g. "english.language"; may hold Latin-1 bytes */
    STRPTR loc_PrefLanguages[10];
    ULONG loc_Flags;
    ULONG loc_CodeSet;           /* IANA MIBenum of the locale's character set (4 = ISO-8859-1) */
    ULONG loc_CountryCode;
    ULONG loc_TelephoneCode;
    LONG loc_GMTOffset;
    UBYTE loc_MeasuringSystem;
    UBYTE loc_CalendarType;
    UBYTE loc_Reserved0[2];
};

#endif

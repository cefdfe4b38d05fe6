#ifndef LIBRARIES_APPLICATION_H
#define LIBRARIES_APPLICATION_H

#include <exec/types.h>
#include <utility/tagitem.h>

/* FindApplication() tags */
#define FINDAPP_Dummy (TAG_USER + 0x5000)
#define FINDAPP_Name (FINDAPP_Dummy + 1)
#define FINDAPP_AppIdentifier (FINDAPP_Dummy + 2) /* the registered identifier, e.g. "Game.example.com" */
#define FINDAPP_FileName (FINDAPP_Dummy + 3)

#endif

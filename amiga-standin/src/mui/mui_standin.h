// Host-only view into the stand-in's MUI classes, for tests: the live application, the object tree,
// and a hook run each time the program waits for input (before the next script action is taken).
// Programs written for MorphOS never include this header.
#ifndef STANDIN_MUI_STANDIN_H
#define STANDIN_MUI_STANDIN_H

#include <exec/types.h>
#include <intuition/classusr.h>

#include <functional>
#include <string>
#include <vector>

namespace standin {
namespace mui {

// The application object created last and not yet disposed (NULL when there is none).
Object *application();
// Public class name of a MUI object ("Window.mui", ...).
std::string class_name(Object *object);
// What an object holds: a group's children, a window's root object, an application's windows.
std::vector<Object *> children(Object *object);
// The value an attribute was given (at creation or by a later set); false when it never was.
bool given(Object *object, ULONG attribute, ULONG *value);
// What a Text.mui object shows: "label" (MUIO_Label), "button" (MUIO_Button) or "text".
std::string text_role(Object *object);
// Called each time the program waits for user input, before the next script action is taken.
void set_input_observer(std::function<void()> observer);
// Structural calls made on groups of an open window, in order: "InitChange", "ExitChange",
// "AddMember <class>", "RemMember <class>", "Dispose <class>" (an object disposed by the program, not by its parent).
const std::vector<std::string> &change_log();
void clear_change_log();

} // namespace mui
} // namespace standin

#endif

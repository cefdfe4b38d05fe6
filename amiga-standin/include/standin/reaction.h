#ifndef STANDIN_REACTION_H
#define STANDIN_REACTION_H
/* Host-only control of the stand-in's ReAction classes, for tests. */

#include <string>
#include <vector>

namespace standin {

/* Delivers the given user actions to the open window.class window as one batch of input (all of them
 * wait in the window's port when the program next looks), before the script's next line. Each is a
 * script line ("close", "escape", "press right", "type TEXT", ...) or "rawkey HH": one raw key event
 * with the hexadecimal code HH (0x80 set for a key release). */
void queue_window_batch(const std::vector<std::string> &actions);

} // namespace standin

#endif

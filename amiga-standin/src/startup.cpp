// What the start-up code provides: exec and dos, open from the start, with their AmigaOS 4 interfaces.
#include <proto/exec.h>
#include <proto/dos.h>

#include "internal.h"

namespace standin {
namespace detail {

struct ExecBase exec_base = {
    {{nullptr, nullptr, NT_LIBRARY, 0, const_cast<char *>("exec.library")}, 0, 0, 0, 0, 53, 0, nullptr, 0, 1},
    nullptr};
struct Library dos_base = {
    {nullptr, nullptr, NT_LIBRARY, 0, const_cast<char *>("dos.library")}, 0, 0, 0, 0, 53, 0, nullptr, 0, 1};
struct ExecIFace exec_iface = {{{nullptr, nullptr, NT_INTERFACE, 0, const_cast<char *>("main")},
                                &exec_base.LibNode, 1, 1, 0, 0, 0, 0, nullptr, nullptr, 0, 0}};
struct DOSIFace dos_iface = {{{nullptr, nullptr, NT_INTERFACE, 0, const_cast<char *>("main")},
                              &dos_base, 1, 1, 0, 0, 0, 0, nullptr, nullptr, 0, 0}};

} // namespace detail
} // namespace standin

struct ExecBase *SysBase = &standin::detail::exec_base;
struct ExecIFace *IExec = &standin::detail::exec_iface;
struct Library *DOSBase = &standin::detail::dos_base;
struct DOSIFace *IDOS = &standin::detail::dos_iface;

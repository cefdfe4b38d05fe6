// Shared internals of the stand-in: state reset hooks, library checks, failure queries, path places.
#ifndef STANDIN_INTERNAL_H
#define STANDIN_INTERNAL_H

#include <exec/exec.h>
#include <dos/dos.h>
#include <dos/dosextens.h>
#include <utility/tagitem.h>

#include <filesystem>
#include <string>
#include <vector>

namespace standin {
namespace detail {

namespace fs = std::filesystem;

[[noreturn]] void die(const std::string &message);

// Stops the program when `call` is made while the library's base is NULL or closed, or, once the
// program works through interfaces (AmigaOS 4), while its interface is NULL.
void require(const struct Library *base, const void *iface, const char *call, const char *base_name,
             const char *iface_name, const char *library);

// Per-module state resets, run by standin::reset().
void reset_exec();
void reset_dos();
void reset_misc(); // locale, asl, utility, application
void reset_intuition();
void reset_harness();

// Startup-provided bases (constant-initialised, never NULL at start).
extern struct ExecBase exec_base;
extern struct Library dos_base;
extern struct ExecIFace exec_iface;
extern struct DOSIFace dos_iface;

// The program's own process.
struct Process *own_process();

// Tag access without going through utility.library's base.
struct TagItem *next_tag(struct TagItem **list);
const struct TagItem *find_tag(Tag tag, const struct TagItem *list);
ULONG tag_data(Tag tag, ULONG fallback, const struct TagItem *list);

// Failure injection.
struct Injection {
    std::string kind; // library, interface, lock, open, read, write, alloc, createdir, or a bare word
    std::string arg;  // the name or path; empty for bare words
    long long limit = -1; // write:PATH@N
};
const std::vector<Injection> &injections();
bool injected(const std::string &kind, const std::string &arg_casefree);

// Amiga name comparison: ASCII and Latin-1 letters compare without regard to case.
unsigned char fold(unsigned char c);
std::string fold(const std::string &s);
bool same_name(const std::string &a, const std::string &b);

// A place in the file system: a volume (or the host tree) and the names below its root.
struct Place {
    std::string volume; // configured volume name, "" for the host tree
    fs::path root;
    std::vector<std::string> comps;
    fs::path host() const;
    std::string key() const; // identity of the object for locks and attributes
    std::string name() const; // last name, or the volume name at a root
};

struct Resolved {
    LONG error = 0;
    Place place;
    bool exists = false;
    bool is_dir = false;
};

// Resolves an Amiga path against the current directory.  Every folder on the way must exist; the last
// name may be missing when leaf_may_be_missing.
Resolved resolve(const char *name, bool leaf_may_be_missing);
// True when the injection of that kind names the place.
bool path_injected(const std::string &kind, const Place &place, long long *limit = nullptr);

// Volumes
fs::path volume_root(const std::string &name, bool *found);
void set_volumes_default();

std::string program_name();

} // namespace detail
} // namespace standin

#endif

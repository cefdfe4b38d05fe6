// exec.library: libraries and their interfaces, memory, tasks and signals.
#include <proto/exec.h>
#include <proto/dos.h>
#include <proto/intuition.h>
#include <proto/locale.h>
#include <proto/asl.h>
#include <proto/utility.h>
#include <proto/application.h>
#include <standin/standin.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <unordered_map>

#include "internal.h"

namespace standin {
namespace detail {

void die(const std::string &message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "standin: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

namespace {

bool os4_mode = false;

struct InterfaceRec {
    std::string name;
    ULONG version;
    struct Interface *iface; // points into `storage`, or at a start-up interface
    std::unique_ptr<struct Interface> storage;
};

struct LibraryRec {
    std::string name; // as listed, e.g. "gadgets/layout.gadget"
    struct Library *lib;
    std::unique_ptr<struct Library> storage;
    std::vector<std::unique_ptr<InterfaceRec>> interfaces;
};

std::vector<std::unique_ptr<LibraryRec>> &libraries()
{
    static std::vector<std::unique_ptr<LibraryRec>> list;
    return list;
}

std::string file_part(const std::string &name)
{
    const auto slash = name.find_last_of("/:");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

InterfaceRec *add_interface(LibraryRec &rec, const char *name, ULONG version, struct Interface *fixed)
{
    auto ir = std::make_unique<InterfaceRec>();
    ir->name = name;
    ir->version = version;
    if (fixed) {
        ir->iface = fixed;
    } else {
        ir->storage = std::make_unique<struct Interface>();
        std::memset(ir->storage.get(), 0, sizeof(struct Interface));
        ir->iface = ir->storage.get();
        ir->iface->Data.Link.ln_Type = NT_INTERFACE;
        ir->iface->Data.Link.ln_Name = const_cast<char *>(ir->name.c_str());
        ir->iface->Data.LibBase = rec.lib;
        ir->iface->Data.Version = version;
    }
    rec.interfaces.push_back(std::move(ir));
    return rec.interfaces.back().get();
}

LibraryRec *add_library_rec(const std::string &name, UWORD version, struct Library *fixed)
{
    auto rec = std::make_unique<LibraryRec>();
    rec->name = name;
    if (fixed) {
        rec->lib = fixed;
    } else {
        rec->storage = std::make_unique<struct Library>();
        std::memset(rec->storage.get(), 0, sizeof(struct Library));
        rec->lib = rec->storage.get();
        rec->lib->lib_Node.ln_Type = NT_LIBRARY;
        rec->lib->lib_Version = version;
    }
    libraries().push_back(std::move(rec));
    LibraryRec *r = libraries().back().get();
    if (!fixed)
        r->lib->lib_Node.ln_Name = const_cast<char *>(r->name.c_str());
    return r;
}

void ensure_libraries()
{
    if (!libraries().empty())
        return;
    LibraryRec *exec = add_library_rec("exec.library", 53, &exec_base.LibNode);
    add_interface(*exec, "main", 1, reinterpret_cast<struct Interface *>(&exec_iface));
    LibraryRec *dos = add_library_rec("dos.library", 53, &dos_base);
    add_interface(*dos, "main", 1, reinterpret_cast<struct Interface *>(&dos_iface));
    static const char *const known[] = {
        "intuition.library", "graphics.library", "locale.library", "datatypes.library", "asl.library",
        "utility.library", "muimaster.library", "Picasso96API.library", "lowlevel.library", "window.class",
        "requester.class", "gadgets/layout.gadget", "gadgets/button.gadget", "gadgets/string.gadget",
        "gadgets/fuelgauge.gadget", "images/bitmap.image", "images/label.image", "images/glyph.image"};
    for (const char *name : known)
        add_interface(*add_library_rec(name, 53, nullptr), "main", 1, nullptr);
    // application.library offers its functions through the "application" interface only.
    add_interface(*add_library_rec("application.library", 53, nullptr), "application", 2, nullptr);
}

LibraryRec *find_library(const std::string &name)
{
    ensure_libraries();
    for (auto &rec : libraries())
        if (same_name(rec->name, name) || same_name(file_part(rec->name), name))
            return rec.get();
    return nullptr;
}

LibraryRec *library_of(const struct Library *lib)
{
    ensure_libraries();
    for (auto &rec : libraries())
        if (rec->lib == lib)
            return rec.get();
    return nullptr;
}

bool library_injected(const std::string &kind, const std::string &given, const LibraryRec &rec)
{
    for (const Injection &inj : injections()) {
        if (inj.kind != kind)
            continue;
        if (same_name(inj.arg, given) || same_name(inj.arg, rec.name) || same_name(inj.arg, file_part(rec.name)))
            return true;
    }
    return false;
}

// Memory blocks handed out by AllocVec / AllocVecTags.
std::unordered_map<void *, ULONG> &vecs()
{
    static std::unordered_map<void *, ULONG> map;
    return map;
}

// Tasks: our own process and the processes of the harness.
struct TaskRec {
    struct Process proc;
    struct CommandLineInterface cli;
    std::string name;
    std::vector<long> bstr; // the command name as a BCPL string (length byte, then the bytes)
};

struct Process own;
std::string own_name = "standin";
std::vector<std::unique_ptr<TaskRec>> &tasks()
{
    static std::vector<std::unique_ptr<TaskRec>> list;
    return list;
}
ULONG cli_count = 0;
int forbid_count = 0;
std::function<void(ULONG)> wait_hook;

void init_own_process()
{
    const BPTR current = own.pr_CurrentDir;
    const LONG result2 = own.pr_Result2;
    std::memset(&own, 0, sizeof(own));
    own.pr_Task.tc_Node.ln_Type = NT_PROCESS;
    own.pr_Task.tc_Node.ln_Name = const_cast<char *>(own_name.c_str());
    own.pr_Task.tc_SigAlloc = 0xFFFF; // the system's signals
    own.pr_Task.tc_State = TS_RUN;
    own.pr_CurrentDir = current;
    own.pr_Result2 = result2;
    exec_base.ThisTask = &own.pr_Task;
}

} // namespace

struct Process *own_process()
{
    if (!exec_base.ThisTask)
        init_own_process();
    return &own;
}

std::string program_name() { return own_name; }

void require(const struct Library *base, const void *iface, const char *call, const char *base_name,
             const char *iface_name, const char *library)
{
    if (!base)
        die(std::string(call) + "() called while " + base_name + " is NULL: " + library + " was not opened");
    if (base->lib_OpenCnt == 0)
        die(std::string(call) + "() called after " + library + " was closed");
    if (os4_mode && !iface)
        die(std::string(call) + "() called while " + iface_name + " is NULL: the interface of " + library +
            " was not obtained");
}

void reset_exec()
{
    ensure_libraries();
    for (auto &rec : libraries()) {
        const bool startup = rec->lib == &exec_base.LibNode || rec->lib == &dos_base;
        rec->lib->lib_OpenCnt = startup ? 1 : 0;
        for (auto &ir : rec->interfaces)
            ir->iface->Data.RefCount = startup ? 1 : 0;
    }
    os4_mode = false;
    SysBase = &exec_base;
    IExec = &exec_iface;
    DOSBase = &dos_base;
    IDOS = &dos_iface;
    IntuitionBase = nullptr;
    IIntuition = nullptr;
    LocaleBase = nullptr;
    ILocale = nullptr;
    AslBase = nullptr;
    IAsl = nullptr;
    UtilityBase = nullptr;
    IUtility = nullptr;
    ApplicationBase = nullptr;
    IApplication = nullptr;
    for (auto &v : vecs())
        std::free(v.first);
    vecs().clear();
    tasks().clear();
    cli_count = 0;
    forbid_count = 0;
    wait_hook = nullptr;
    own.pr_CurrentDir = 0;
    own.pr_Result2 = 0;
    init_own_process();
}

} // namespace detail

using namespace detail;

void add_library(const std::string &name, UWORD version)
{
    if (!find_library(name))
        add_interface(*add_library_rec(name, version, nullptr), "main", 1, nullptr);
}

int library_open_count(const std::string &name)
{
    LibraryRec *rec = find_library(name);
    return rec ? rec->lib->lib_OpenCnt : -1;
}

bool amigaos4_mode() { return os4_mode; }

int allocated_vecs() { return static_cast<int>(vecs().size()); }

void set_wait_hook(std::function<void(ULONG)> hook) { wait_hook = std::move(hook); }

void set_program_name(const std::string &path)
{
    std::string name = path;
    const auto slash = name.find_last_of("/\\:");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    if (name.size() > 4 && same_name(name.substr(name.size() - 4), ".exe"))
        name.resize(name.size() - 4);
    own_name = name;
    own.pr_Task.tc_Node.ln_Name = const_cast<char *>(own_name.c_str());
}

void add_task(const std::string &name)
{
    auto rec = std::make_unique<TaskRec>();
    std::memset(&rec->proc, 0, sizeof(rec->proc));
    std::memset(&rec->cli, 0, sizeof(rec->cli));
    rec->name = name;
    rec->proc.pr_Task.tc_Node.ln_Type = NT_PROCESS;
    rec->proc.pr_Task.tc_Node.ln_Name = const_cast<char *>(rec->name.c_str());
    rec->proc.pr_Task.tc_State = TS_WAIT;
    tasks().push_back(std::move(rec));
}

void add_cli_process(const std::string &command)
{
    // A shell process is called "Shell Process"; what it runs is its CLI's command name.
    add_task("Shell Process");
    TaskRec &rec = *tasks().back();
    const std::size_t len = command.size() > 255 ? 255 : command.size();
    rec.bstr.assign(len / sizeof(long) + 2, 0);
    unsigned char *b = reinterpret_cast<unsigned char *>(rec.bstr.data());
    b[0] = static_cast<unsigned char>(len);
    std::memcpy(b + 1, command.data(), len);
    rec.cli.cli_CommandName = MKBADDR(b);
    rec.proc.pr_CLI = MKBADDR(&rec.cli);
    rec.proc.pr_TaskNum = static_cast<LONG>(++cli_count);
}

} // namespace standin

using namespace standin;
using namespace standin::detail;

#define NEED_EXEC(call) require(&SysBase->LibNode, IExec, call, "SysBase", "IExec", "exec.library")

struct Library *OpenLibrary(CONST_STRPTR libName, ULONG version)
{
    NEED_EXEC("OpenLibrary");
    if (!libName)
        return nullptr;
    LibraryRec *rec = find_library(libName);
    if (!rec || library_injected("library", libName, *rec) || version > rec->lib->lib_Version)
        return nullptr;
    rec->lib->lib_OpenCnt++;
    return rec->lib;
}

void CloseLibrary(struct Library *library)
{
    NEED_EXEC("CloseLibrary");
    if (!library)
        return;
    LibraryRec *rec = library_of(library);
    if (!rec)
        die("CloseLibrary() of something that is not a library");
    if (rec->lib->lib_OpenCnt == 0)
        die("CloseLibrary() of " + rec->name + ", which is not open");
    rec->lib->lib_OpenCnt--;
}

struct Interface *GetInterface(struct Library *library, CONST_STRPTR name, ULONG version, const struct TagItem *)
{
    NEED_EXEC("GetInterface");
    if (!library || !name)
        return nullptr;
    LibraryRec *rec = library_of(library);
    if (!rec)
        die(std::string("GetInterface(\"") + name + "\") on something that is not a library");
    if (library_injected("interface", name, *rec))
        return nullptr;
    for (auto &ir : rec->interfaces) {
        if (ir->name == name) {
            if (version > ir->version)
                return nullptr;
            ir->iface->Data.RefCount++;
            os4_mode = true;
            return ir->iface;
        }
    }
    return nullptr;
}

void DropInterface(struct Interface *interface)
{
    NEED_EXEC("DropInterface");
    if (!interface)
        return;
    for (auto &rec : libraries())
        for (auto &ir : rec->interfaces)
            if (ir->iface == interface) {
                if (interface->Data.RefCount == 0)
                    die("DropInterface() of the \"" + ir->name + "\" interface of " + rec->name +
                        ", which is not obtained");
                interface->Data.RefCount--;
                return;
            }
    die("DropInterface() of something that is not an interface");
}

namespace {
bool alloc_injected(ULONG size)
{
    for (const Injection &inj : injections())
        if (inj.kind == "alloc" && inj.limit == static_cast<long long>(size))
            return true;
    return false;
}

APTR alloc_block(ULONG size, bool clear, int fill)
{
    if (size == 0 || alloc_injected(size))
        return nullptr;
    void *p = std::malloc(size);
    if (!p)
        return nullptr;
    if (clear)
        std::memset(p, fill, size);
    vecs()[p] = size;
    return p;
}
} // namespace

APTR AllocVec(ULONG byteSize, ULONG requirements)
{
    NEED_EXEC("AllocVec");
    return alloc_block(byteSize, (requirements & MEMF_CLEAR) != 0, 0);
}

APTR AllocVecTagList(ULONG byteSize, const struct TagItem *tags)
{
    NEED_EXEC("AllocVecTags");
    bool clear = false;
    int fill = 0;
    if (const struct TagItem *t = find_tag(AVT_ClearWithValue, tags)) {
        clear = true;
        fill = static_cast<int>(t->ti_Data & 0xFF);
    }
    if (tag_data(AVT_Clear, FALSE, tags))
        clear = true;
    return alloc_block(byteSize, clear, fill);
}

void FreeVec(APTR memoryBlock)
{
    NEED_EXEC("FreeVec");
    if (!memoryBlock)
        return;
    auto it = vecs().find(memoryBlock);
    if (it == vecs().end())
        die("FreeVec() of memory that AllocVec() did not give (freed twice?)");
    vecs().erase(it);
    std::free(memoryBlock);
}

struct Task *FindTask(CONST_STRPTR name)
{
    NEED_EXEC("FindTask");
    struct Process *self = own_process();
    if (!name)
        return &self->pr_Task;
    if (std::strcmp(self->pr_Task.tc_Node.ln_Name, name) == 0)
        return &self->pr_Task;
    for (auto &rec : tasks())
        if (rec->name == name)
            return &rec->proc.pr_Task;
    return nullptr;
}

void Forbid(void)
{
    NEED_EXEC("Forbid");
    forbid_count++;
}

void Permit(void)
{
    NEED_EXEC("Permit");
    if (forbid_count == 0)
        die("Permit() without Forbid()");
    forbid_count--;
}

BYTE AllocSignal(BYTE signalNum)
{
    NEED_EXEC("AllocSignal");
    struct Task *t = &own_process()->pr_Task;
    if (signalNum >= 0) {
        if (signalNum > 31 || (t->tc_SigAlloc & (1UL << signalNum)))
            return -1;
        t->tc_SigAlloc |= 1UL << signalNum;
        t->tc_SigRecvd &= ~(1UL << signalNum);
        return signalNum;
    }
    for (int n = 31; n >= 16; --n)
        if (!(t->tc_SigAlloc & (1UL << n))) {
            t->tc_SigAlloc |= 1UL << n;
            t->tc_SigRecvd &= ~(1UL << n);
            return static_cast<BYTE>(n);
        }
    return -1;
}

void FreeSignal(BYTE signalNum)
{
    NEED_EXEC("FreeSignal");
    if (signalNum < 0)
        return;
    own_process()->pr_Task.tc_SigAlloc &= ~(1UL << signalNum);
}

ULONG SetSignal(ULONG newSignals, ULONG signalSet)
{
    NEED_EXEC("SetSignal");
    struct Task *t = &own_process()->pr_Task;
    const ULONG old = t->tc_SigRecvd;
    t->tc_SigRecvd = (old & ~signalSet) | (newSignals & signalSet);
    return old;
}

void Signal(struct Task *task, ULONG signalSet)
{
    NEED_EXEC("Signal");
    if (task)
        task->tc_SigRecvd |= signalSet;
}

ULONG Wait(ULONG signalSet)
{
    NEED_EXEC("Wait");
    struct Task *t = &own_process()->pr_Task;
    if (!(t->tc_SigRecvd & signalSet) && wait_hook)
        wait_hook(signalSet);
    const ULONG got = t->tc_SigRecvd & signalSet;
    if (!got) {
        char mask[32];
        std::snprintf(mask, sizeof(mask), "0x%08lX", static_cast<unsigned long>(signalSet));
        die(std::string("Wait(") + mask + "): none of these signals can arrive, the program would wait forever");
    }
    t->tc_SigRecvd &= ~got;
    return got;
}

ULONG MaxCli(void)
{
    require(DOSBase, IDOS, "MaxCli", "DOSBase", "IDOS", "dos.library");
    return cli_count;
}

struct Process *FindCliProc(ULONG num)
{
    require(DOSBase, IDOS, "FindCliProc", "DOSBase", "IDOS", "dos.library");
    for (auto &rec : tasks())
        if (rec->proc.pr_CLI && static_cast<ULONG>(rec->proc.pr_TaskNum) == num)
            return &rec->proc;
    return nullptr;
}

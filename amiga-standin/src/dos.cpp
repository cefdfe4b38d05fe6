// dos.library over host folders: Amiga paths on a volume table, locks, files, comments, protection bits
// and dates, error codes and their texts.
#include <proto/dos.h>
#include <proto/exec.h>
#include <standin/standin.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <unordered_map>

#include "internal.h"

#if !defined(_WIN32)
#include <dirent.h>
#endif

namespace standin {
namespace detail {

namespace {

struct Volume {
    std::string name;
    fs::path root;
};

struct VolumeTable {
    std::vector<Volume> list;
    bool ram_configured = false;
    fs::path temp_ram; // the fresh RAM folder made by the stand-in, removed at exit
    ~VolumeTable()
    {
        if (!temp_ram.empty()) {
            std::error_code ec;
            fs::remove_all(temp_ram, ec);
        }
    }
};

VolumeTable &volumes()
{
    static VolumeTable table;
    return table;
}

fs::path normal(const fs::path &p)
{
    std::error_code ec;
    fs::path abs = fs::absolute(p, ec);
    if (ec)
        abs = p;
    fs::path canon = fs::weakly_canonical(abs, ec);
    return ec ? abs.lexically_normal() : canon;
}

fs::path make_temp_ram()
{
    std::random_device rd;
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec)
        base = fs::current_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof(name), "standin-ram-%08x%08x", rd(), rd());
        fs::path p = base / name;
        if (fs::create_directory(p, ec) && !ec)
            return normal(p);
    }
    die("cannot create a temporary folder for RAM:");
}

// Attributes that the host file system does not keep: comments and protection bits.
struct Attributes {
    std::string comment;
    LONG protection = 0;
    // The date last set, kept to the tick for hosts that store whole seconds only; it holds while the
    // host time stays in the same second.
    bool has_date = false;
    struct DateStamp date = {0, 0, 0};
};
std::map<std::string, Attributes> &attributes()
{
    static std::map<std::string, Attributes> map;
    return map;
}

struct LockRec {
    struct FileLock fl;
    Place place;
    bool exclusive;
};

struct FileRec {
    struct FileHandle fh;
    Place place;
    std::FILE *file = nullptr;
    bool console = false; // the program's standard output or input
    bool exclusive = false;
    bool writable = false;
    bool last_write = false;
    long long written = 0;
};

std::unordered_map<const void *, std::unique_ptr<LockRec>> &locks()
{
    static std::unordered_map<const void *, std::unique_ptr<LockRec>> map;
    return map;
}

std::unordered_map<const void *, std::unique_ptr<FileRec>> &files()
{
    static std::unordered_map<const void *, std::unique_ptr<FileRec>> map;
    return map;
}

FileRec console_out, console_in;

FileRec *console_rec(bool output)
{
    FileRec &r = output ? console_out : console_in;
    if (!r.console) {
        std::memset(&r.fh, 0, sizeof(r.fh));
        r.console = true;
        r.writable = output;
        r.file = output ? stdout : stdin;
    }
    return &r;
}

// Dos objects handed out by AllocDosObject / ExamineObject.
std::unordered_map<void *, ULONG> &dos_objects()
{
    static std::unordered_map<void *, ULONG> map;
    return map;
}

LONG set_err(LONG code)
{
    own_process()->pr_Result2 = code;
    return code;
}

LONG errno_to_dos(int e)
{
    switch (e) {
    case ENOENT: return ERROR_OBJECT_NOT_FOUND;
    case EEXIST: return ERROR_OBJECT_EXISTS;
    case EACCES:
    case EPERM: return ERROR_WRITE_PROTECTED;
#ifdef EROFS
    case EROFS: return ERROR_DISK_WRITE_PROTECTED;
#endif
    case ENOSPC: return ERROR_DISK_FULL;
    case ENOTDIR:
    case EISDIR: return ERROR_OBJECT_WRONG_TYPE;
    case ENOTEMPTY: return ERROR_DIRECTORY_NOT_EMPTY;
    case ENOMEM: return ERROR_NO_FREE_STORE;
    default: return ERROR_OBJECT_IN_USE;
    }
}

LONG ec_to_dos(const std::error_code &ec)
{
    if (ec == std::errc::no_such_file_or_directory)
        return ERROR_OBJECT_NOT_FOUND;
    if (ec == std::errc::file_exists)
        return ERROR_OBJECT_EXISTS;
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return ERROR_WRITE_PROTECTED;
    if (ec == std::errc::read_only_file_system)
        return ERROR_DISK_WRITE_PROTECTED;
    if (ec == std::errc::no_space_on_device)
        return ERROR_DISK_FULL;
    if (ec == std::errc::directory_not_empty)
        return ERROR_DIRECTORY_NOT_EMPTY;
    if (ec == std::errc::not_a_directory || ec == std::errc::is_a_directory)
        return ERROR_OBJECT_WRONG_TYPE;
    return ERROR_OBJECT_IN_USE;
}

bool same_place(const Place &a, const Place &b) { return a.key() == b.key(); }

// True when `inner` is `outer` or lies inside it.
bool within(const Place &inner, const Place &outer)
{
    if (fold(inner.root.generic_string()) != fold(outer.root.generic_string()) || inner.comps.size() < outer.comps.size())
        return false;
    for (std::size_t i = 0; i < outer.comps.size(); ++i)
        if (!same_name(inner.comps[i], outer.comps[i]))
            return false;
    return true;
}

Place current_place();

LockRec *lock_of(BPTR lock, const char *call)
{
    if (!lock)
        return nullptr;
    auto it = locks().find(BADDR(lock));
    if (it == locks().end())
        die(std::string(call) + "() with a lock that is not held (unlocked already?)");
    return it->second.get();
}

FileRec *file_of(BPTR fh, const char *call)
{
    if (fh && (BADDR(fh) == &console_out.fh || BADDR(fh) == &console_in.fh))
        return console_rec(BADDR(fh) == &console_out.fh);
    auto it = files().find(BADDR(fh));
    if (!fh || it == files().end())
        die(std::string(call) + "() with a file handle that is not open (closed already?)");
    return it->second.get();
}

// Locks and open files that hold an object: shared ones and whether one is exclusive.
void holders(const Place &place, int &shared, bool &exclusive)
{
    shared = 0;
    exclusive = false;
    const std::string key = place.key();
    for (auto &l : locks())
        if (l.second->place.key() == key) {
            if (l.second->fl.fl_Access == EXCLUSIVE_LOCK)
                exclusive = true;
            else
                shared++;
        }
    for (auto &f : files())
        if (!f.second->console && f.second->place.key() == key) {
            if (f.second->exclusive)
                exclusive = true;
            else
                shared++;
        }
    if (own_process()->pr_CurrentDir == 0) {
        // The host working directory is held as the current directory as well.
        if (current_place().key() == key)
            shared++;
    }
}

bool host_read_only(const fs::path &p)
{
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (ec)
        return false;
    return (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

LONG protection_of(const Place &place)
{
    LONG prot = 0;
    auto it = attributes().find(place.key());
    if (it != attributes().end())
        prot = it->second.protection;
    if (host_read_only(place.host()))
        prot |= FIBF_WRITE | FIBF_DELETE;
    return prot;
}

void clear_archive(const Place &place)
{
    auto it = attributes().find(place.key());
    if (it != attributes().end())
        it->second.protection &= ~FIBF_ARCHIVE;
}

// Host modification time <-> DateStamp.  The file clock's distance to the system clock is a whole
// number of seconds; rounding the measured distance removes the jitter between the two now() calls.
std::chrono::nanoseconds file_clock_offset()
{
    using namespace std::chrono;
    static const nanoseconds offset = [] {
        const nanoseconds f = duration_cast<nanoseconds>(fs::file_time_type::clock::now().time_since_epoch());
        const nanoseconds s = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
        return duration_cast<nanoseconds>(round<seconds>(f - s));
    }();
    return offset;
}

const long long kAmigaEpoch = 252460800; // 1978-01-01 in seconds after 1970-01-01 (UTC)

struct DateStamp date_of(const fs::path &p)
{
    using namespace std::chrono;
    struct DateStamp ds = {0, 0, 0};
    std::error_code ec;
    const fs::file_time_type t = fs::last_write_time(p, ec);
    if (ec)
        return ds;
    const long long ns = duration_cast<nanoseconds>(t.time_since_epoch()).count() - file_clock_offset().count();
    long long secs = ns / 1000000000LL;
    long long rest = ns % 1000000000LL;
    if (rest < 0) {
        rest += 1000000000LL;
        secs -= 1;
    }
    long long amiga = secs - kAmigaEpoch;
    long long days = amiga / 86400, in_day = amiga % 86400;
    if (in_day < 0) {
        in_day += 86400;
        days -= 1;
    }
    ds.ds_Days = static_cast<LONG>(days);
    ds.ds_Minute = static_cast<LONG>(in_day / 60);
    ds.ds_Tick = static_cast<LONG>((in_day % 60) * TICKS_PER_SECOND + rest / (1000000000LL / TICKS_PER_SECOND));
    return ds;
}

bool set_date_of(const fs::path &p, const struct DateStamp *ds)
{
    using namespace std::chrono;
    const long long secs = static_cast<long long>(ds->ds_Days) * 86400 + static_cast<long long>(ds->ds_Minute) * 60 +
                           ds->ds_Tick / TICKS_PER_SECOND + kAmigaEpoch;
    const long long ns = secs * 1000000000LL + static_cast<long long>(ds->ds_Tick % TICKS_PER_SECOND) * (1000000000LL / TICKS_PER_SECOND);
    const nanoseconds since = nanoseconds(ns) + file_clock_offset();
    std::error_code ec;
    fs::last_write_time(p, fs::file_time_type(duration_cast<fs::file_time_type::duration>(since)), ec);
    return !ec;
}

// Writes buffered data of every open file on that object to the host, so sizes and dates are current.
void flush_files_on(const Place &place)
{
    const std::string key = place.key();
    for (auto &f : files())
        if (!f.second->console && f.second->file && f.second->place.key() == key)
            std::fflush(f.second->file);
}

struct ObjectInfo {
    bool is_dir = false;
    bool is_root = false;
    long long size = 0;
    LONG protection = 0;
    struct DateStamp date = {0, 0, 0};
    std::string name;
    std::string comment;
};

bool info_of(const Place &place, ObjectInfo &info)
{
    flush_files_on(place);
    const fs::path host = place.host();
    std::error_code ec;
    const fs::file_status st = fs::status(host, ec);
    if (ec || !fs::exists(st))
        return false;
    info.is_dir = fs::is_directory(st);
    info.is_root = place.comps.empty();
    info.size = info.is_dir ? 0 : static_cast<long long>(fs::file_size(host, ec));
    if (ec)
        info.size = 0;
    info.protection = protection_of(place);
    info.date = date_of(host);
    info.name = place.name();
    auto it = attributes().find(place.key());
    info.comment = it == attributes().end() ? std::string() : it->second.comment;
    if (it != attributes().end() && it->second.has_date) {
        const struct DateStamp &kept = it->second.date;
        if (kept.ds_Days == info.date.ds_Days && kept.ds_Minute == info.date.ds_Minute &&
            kept.ds_Tick / TICKS_PER_SECOND == info.date.ds_Tick / TICKS_PER_SECOND)
            info.date = kept;
    }
    return true;
}

BPTR new_lock(const Place &place, LONG access)
{
    auto rec = std::make_unique<LockRec>();
    std::memset(&rec->fl, 0, sizeof(rec->fl));
    rec->fl.fl_Access = access;
    rec->place = place;
    rec->exclusive = access == EXCLUSIVE_LOCK;
    const void *key = &rec->fl;
    BPTR b = MKBADDR(&rec->fl);
    locks()[key] = std::move(rec);
    return b;
}

Place current_place()
{
    struct Process *self = own_process();
    if (self->pr_CurrentDir) {
        auto it = locks().find(BADDR(self->pr_CurrentDir));
        if (it != locks().end())
            return it->second->place;
    }
    // The host working directory: inside a volume when one holds it, else on the host tree.
    std::error_code ec;
    const fs::path cwd = normal(fs::current_path(ec));
    for (const Volume &v : volumes().list) {
        const fs::path rel = cwd.lexically_relative(v.root);
        if (rel.empty() || *rel.begin() == "..")
            continue;
        Place p{v.name, v.root, {}};
        for (const fs::path &part : rel)
            if (part != ".")
                p.comps.push_back(part.string());
        return p;
    }
    Place p{"", cwd.root_path(), {}};
    for (const fs::path &part : cwd.relative_path())
        if (!part.empty())
            p.comps.push_back(part.string());
    return p;
}

// The actual name of an entry of a host folder that matches `name` without regard to case.
// On a host that tells case apart, a name that exists as given is stored as given: found at once.
// Elsewhere (Windows, macOS) the folder is read even then, since such a host would report the name
// as asked rather than as stored.
bool find_entry(const fs::path &dir, const std::string &name, std::string &actual)
{
    std::error_code ec;
#if !defined(_WIN32) && !defined(__APPLE__)
    if (fs::exists(fs::symlink_status(dir / name, ec))) {
        actual = name;
        return true;
    }
    // Read with readdir: a folder of thousands of images is read for every name it lacks. On glibc
    // the 64-bit form, since a 32-bit build's readdir fails on the large entry offsets of ext4.
    DIR *d = opendir(dir.c_str());
    if (d == nullptr)
        return false;
    bool found = false;
#if defined(__GLIBC__)
    while (const struct dirent64 *e = readdir64(d)) {
#else
    while (const struct dirent *e = readdir(d)) {
#endif
        const size_t length = std::strlen(e->d_name);
        if (length == name.size() && same_name(std::string(e->d_name, length), name)) {
            actual.assign(e->d_name, length);
            found = true;
            break;
        }
    }
    closedir(d);
    return found;
#else
    bool found = false;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry == name) {
            actual = entry;
            return true;
        }
        if (!found && same_name(entry, name)) {
            actual = entry;
            found = true;
        }
    }
    if (!found && fs::exists(dir / name, ec)) {
        actual = name;
        found = true;
    }
    return found;
#endif
}

bool valid_component(const std::string &c)
{
    return c != "." && c != ".." && c.find('\\') == std::string::npos && c.find('\0') == std::string::npos;
}

} // namespace

fs::path Place::host() const
{
    fs::path p = root;
    for (const std::string &c : comps)
        p /= c;
    return p;
}

std::string Place::key() const { return fold(host().generic_string()); }

std::string Place::name() const
{
    if (!comps.empty())
        return comps.back();
    return volume.empty() ? root.generic_string() : volume;
}

fs::path volume_root(const std::string &name, bool *found)
{
    VolumeTable &t = volumes();
    for (const Volume &v : t.list)
        if (same_name(v.name, name)) {
            *found = true;
            return v.root;
        }
    if (same_name(name, "RAM")) {
        // RAM: is always there; the start-up sequence gives it a T drawer.
        if (t.temp_ram.empty())
            t.temp_ram = make_temp_ram();
        t.list.push_back({"RAM", t.temp_ram});
        std::error_code ec;
        fs::create_directories(t.temp_ram / "T", ec);
        *found = true;
        return t.temp_ram;
    }
    *found = false;
    return fs::path();
}

Resolved resolve(const char *name, bool leaf_may_be_missing)
{
    Resolved r;
    if (!name) {
        r.error = ERROR_REQUIRED_ARG_MISSING;
        return r;
    }
    std::string path(name);
    Place place;
    const std::size_t colon = path.find(':');
    if (colon != std::string::npos) {
        const std::string vol = path.substr(0, colon);
        if (vol.empty()) {
            Place cur = current_place();
            place = Place{cur.volume, cur.root, {}};
        } else {
            bool found = false;
            fs::path root = volume_root(vol, &found);
            if (!found) {
                r.error = ERROR_DEVICE_NOT_MOUNTED;
                return r;
            }
            bool canonical = false;
            for (const Volume &v : volumes().list)
                if (same_name(v.name, vol)) {
                    place = Place{v.name, v.root, {}};
                    canonical = true;
                    break;
                }
            if (!canonical)
                place = Place{vol, root, {}};
            std::error_code ec;
            if (!fs::is_directory(root, ec)) {
                r.error = ERROR_DEVICE_NOT_MOUNTED;
                return r;
            }
        }
        path = path.substr(colon + 1);
        if (path.find(':') != std::string::npos) {
            r.error = ERROR_INVALID_COMPONENT_NAME;
            return r;
        }
    } else {
        place = current_place();
    }
    r.place = place;
    r.exists = true;
    r.is_dir = true;
    if (path.empty())
        return r;
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = path.find('/', start);
        parts.push_back(path.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            break;
        start = at + 1;
    }
    if (parts.size() > 1 && parts.back().empty())
        parts.pop_back(); // "drawer/" names the drawer itself
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        if (!r.is_dir) {
            r.error = ERROR_OBJECT_WRONG_TYPE;
            return r;
        }
        if (parts[i].empty()) {
            // An empty name between slashes (or a leading slash) is the parent folder.
            if (r.place.comps.empty()) {
                r.error = ERROR_OBJECT_NOT_FOUND;
                return r;
            }
            r.place.comps.pop_back();
            continue;
        }
        if (!valid_component(parts[i])) {
            r.error = ERROR_INVALID_COMPONENT_NAME;
            return r;
        }
        std::string actual;
        if (!find_entry(r.place.host(), parts[i], actual)) {
            if (last && leaf_may_be_missing) {
                r.place.comps.push_back(parts[i]);
                r.exists = false;
                r.is_dir = false;
                return r;
            }
            r.error = last ? ERROR_OBJECT_NOT_FOUND : ERROR_DIR_NOT_FOUND;
            return r;
        }
        r.place.comps.push_back(actual);
        std::error_code ec;
        r.is_dir = fs::is_directory(r.place.host(), ec);
    }
    return r;
}

bool path_injected(const std::string &kind, const Place &place, long long *limit)
{
    const std::string key = place.key();
    for (const Injection &inj : injections()) {
        if (inj.kind != kind)
            continue;
        const LONG saved_err = own_process()->pr_Result2;
        Resolved r = resolve(inj.arg.c_str(), true);
        own_process()->pr_Result2 = saved_err;
        if (r.error == 0 && r.place.key() == key) {
            if (limit)
                *limit = inj.limit;
            return true;
        }
    }
    return false;
}

void set_volumes_default()
{
    VolumeTable &t = volumes();
    t.list.clear();
    if (!t.temp_ram.empty()) {
        std::error_code ec;
        fs::remove_all(t.temp_ram, ec);
        t.temp_ram.clear();
    }
}

void reset_dos()
{
    for (auto &f : files())
        if (f.second->file)
            std::fclose(f.second->file);
    files().clear();
    locks().clear();
    attributes().clear();
    for (auto &o : dos_objects())
        std::free(o.first);
    dos_objects().clear();
    set_volumes_default();
}

} // namespace detail

using namespace detail;

void set_volume(const std::string &name, const std::string &host_dir)
{
    VolumeTable &t = volumes();
    const fs::path root = normal(host_dir);
    for (Volume &v : t.list)
        if (same_name(v.name, name)) {
            v.root = root;
            return;
        }
    t.list.push_back({name, root});
    if (same_name(name, "RAM")) {
        // RAM: keeps its T drawer, as after the start-up sequence.
        std::error_code ec;
        fs::create_directories(root / "T", ec);
    }
}

std::string volume_host_dir(const std::string &name)
{
    bool found = false;
    fs::path root = volume_root(name, &found);
    return found ? root.string() : std::string();
}

std::string host_path(const std::string &amiga_path)
{
    const LONG saved = own_process()->pr_Result2;
    Resolved r = resolve(amiga_path.c_str(), true);
    own_process()->pr_Result2 = saved;
    return r.error ? std::string() : r.place.host().string();
}

int open_locks() { return static_cast<int>(locks().size()); }

int open_files()
{
    int n = 0;
    for (auto &f : files())
        if (!f.second->console)
            n++;
    return n;
}

void shutdown()
{
    reset_harness();
    set_volumes_default();
}

} // namespace standin

using namespace standin;
using namespace standin::detail;

#define NEED_DOS(call) require(DOSBase, IDOS, call, "DOSBase", "IDOS", "dos.library")

/* ---- Files -------------------------------------------------------------------------------------------- */

BPTR Open(CONST_STRPTR name, LONG accessMode)
{
    NEED_DOS("Open");
    if (accessMode != MODE_OLDFILE && accessMode != MODE_NEWFILE && accessMode != MODE_READWRITE) {
        set_err(ERROR_ACTION_NOT_KNOWN);
        return 0;
    }
    Resolved r = resolve(name, accessMode != MODE_OLDFILE);
    if (r.error) {
        set_err(r.error);
        return 0;
    }
    if (path_injected("open", r.place)) {
        set_err(ERROR_OBJECT_IN_USE);
        return 0;
    }
    if (r.exists && r.is_dir) {
        set_err(ERROR_OBJECT_WRONG_TYPE);
        return 0;
    }
    int shared = 0;
    bool exclusive = false;
    holders(r.place, shared, exclusive);
    if (exclusive || (accessMode == MODE_NEWFILE && shared > 0)) {
        set_err(ERROR_OBJECT_IN_USE);
        return 0;
    }
    const fs::path host = r.place.host();
    const LONG prot = r.exists ? protection_of(r.place) : 0;
    const char *fmode = "w+b";
    bool writable = true;
    if (r.exists && accessMode != MODE_NEWFILE) {
        if (prot & FIBF_READ) {
            set_err(ERROR_READ_PROTECTED);
            return 0;
        }
        writable = !(prot & FIBF_WRITE);
        fmode = writable ? "r+b" : "rb";
    } else if (r.exists && (prot & FIBF_WRITE)) {
        set_err(ERROR_WRITE_PROTECTED);
        return 0;
    }
    errno = 0;
    std::FILE *f = std::fopen(host.string().c_str(), fmode);
    if (!f) {
        set_err(errno ? errno_to_dos(errno) : ERROR_OBJECT_IN_USE);
        return 0;
    }
    if (accessMode == MODE_NEWFILE)
        clear_archive(r.place);
    auto rec = std::make_unique<FileRec>();
    std::memset(&rec->fh, 0, sizeof(rec->fh));
    rec->place = r.place;
    rec->file = f;
    rec->exclusive = accessMode == MODE_NEWFILE;
    rec->writable = writable;
    const void *key = &rec->fh;
    BPTR b = MKBADDR(&rec->fh);
    files()[key] = std::move(rec);
    set_err(0);
    return b;
}

LONG Close(BPTR file)
{
    NEED_DOS("Close");
    if (!file)
        return DOSTRUE;
    FileRec *rec = file_of(file, "Close");
    if (rec->console) {
        std::fflush(rec->file);
        return DOSTRUE;
    }
    const int result = std::fclose(rec->file);
    files().erase(BADDR(file));
    if (result != 0) {
        set_err(ERROR_DISK_FULL);
        return DOSFALSE;
    }
    return DOSTRUE;
}

namespace {

bool prepare_read(FileRec *rec)
{
    if (!rec->console && path_injected("read", rec->place)) {
        set_err(ERROR_READ_PROTECTED);
        return false;
    }
    if (rec->console && rec->writable) {
        set_err(ERROR_ACTION_NOT_KNOWN);
        return false;
    }
    if (rec->last_write) {
        std::fflush(rec->file);
        std::fseek(rec->file, 0, SEEK_CUR);
        rec->last_write = false;
    }
    return true;
}

// Writes len bytes, as far as the disk (or an injected full disk) allows.
LONG write_bytes(FileRec *rec, const void *buf, LONG len)
{
    if (len < 0) {
        set_err(ERROR_BAD_NUMBER);
        return -1;
    }
    if (!rec->writable) {
        set_err(rec->console ? ERROR_ACTION_NOT_KNOWN : ERROR_WRITE_PROTECTED);
        return -1;
    }
    if (rec->console) {
        const std::size_t n = std::fwrite(buf, 1, static_cast<std::size_t>(len), rec->file);
        set_err(0);
        return static_cast<LONG>(n);
    }
    if (!rec->last_write) {
        std::fseek(rec->file, 0, SEEK_CUR);
        rec->last_write = true;
    }
    long long limit = -1;
    LONG allowed = len;
    bool full = false;
    if (path_injected("write", rec->place, &limit)) {
        const long long room = limit > rec->written ? limit - rec->written : 0;
        if (room < len) {
            allowed = static_cast<LONG>(room);
            full = true;
        }
    }
    errno = 0;
    const std::size_t n = allowed > 0 ? std::fwrite(buf, 1, static_cast<std::size_t>(allowed), rec->file) : 0;
    rec->written += static_cast<long long>(n);
    if (n > 0)
        clear_archive(rec->place);
    if (full) {
        set_err(ERROR_DISK_FULL);
        return -1;
    }
    if (n != static_cast<std::size_t>(allowed)) {
        set_err(errno ? errno_to_dos(errno) : ERROR_DISK_FULL);
        return -1;
    }
    set_err(0);
    return len;
}

} // namespace

LONG Read(BPTR file, APTR buffer, LONG length)
{
    NEED_DOS("Read");
    FileRec *rec = file_of(file, "Read");
    if (!prepare_read(rec))
        return -1;
    if (length <= 0) {
        set_err(0);
        return 0;
    }
    const std::size_t n = std::fread(buffer, 1, static_cast<std::size_t>(length), rec->file);
    if (n < static_cast<std::size_t>(length) && std::ferror(rec->file)) {
        std::clearerr(rec->file);
        set_err(ERROR_SEEK_ERROR);
        return -1;
    }
    set_err(0);
    return static_cast<LONG>(n);
}

LONG Write(BPTR file, CONST_APTR buffer, LONG length)
{
    NEED_DOS("Write");
    return write_bytes(file_of(file, "Write"), buffer, length);
}

STRPTR FGets(BPTR fh, STRPTR buf, ULONG buflen)
{
    NEED_DOS("FGets");
    FileRec *rec = file_of(fh, "FGets");
    if (buflen == 0 || !prepare_read(rec))
        return nullptr;
    ULONG i = 0;
    while (i + 1 < buflen) {
        const int c = std::fgetc(rec->file);
        if (c == EOF)
            break;
        buf[i++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buf[i] = '\0';
    if (std::ferror(rec->file)) {
        std::clearerr(rec->file);
        set_err(ERROR_SEEK_ERROR);
        return i ? buf : nullptr;
    }
    set_err(0);
    if (i == 0 && buflen > 1)
        return nullptr; // end of file, nothing read
    return buf;
}

LONG FGetC(BPTR fh)
{
    NEED_DOS("FGetC");
    FileRec *rec = file_of(fh, "FGetC");
    if (!prepare_read(rec))
        return ENDSTREAMCH;
    const int c = std::fgetc(rec->file);
    if (c == EOF) {
        set_err(std::ferror(rec->file) ? ERROR_SEEK_ERROR : 0);
        std::clearerr(rec->file);
        return ENDSTREAMCH;
    }
    return c;
}

LONG FPuts(BPTR fh, CONST_STRPTR str)
{
    NEED_DOS("FPuts");
    const LONG len = str ? static_cast<LONG>(std::strlen(str)) : 0;
    return write_bytes(file_of(fh, "FPuts"), str, len) == len ? 0 : -1;
}

LONG FPutC(BPTR fh, LONG ch)
{
    NEED_DOS("FPutC");
    const unsigned char byte = static_cast<unsigned char>(ch);
    return write_bytes(file_of(fh, "FPutC"), &byte, 1) == 1 ? ch : ENDSTREAMCH;
}

LONG Flush(BPTR fh)
{
    NEED_DOS("Flush");
    FileRec *rec = file_of(fh, "Flush");
    std::fflush(rec->file);
    return DOSTRUE;
}

BPTR Output(void)
{
    NEED_DOS("Output");
    return MKBADDR(&console_rec(true)->fh);
}

BPTR Input(void)
{
    NEED_DOS("Input");
    return MKBADDR(&console_rec(false)->fh);
}

/* ---- Locks and objects ----------------------------------------------------------------------------------- */

namespace {
bool workspace_injected(const Place &place)
{
    if (!failing("workspace"))
        return false;
    const LONG saved = own_process()->pr_Result2;
    Resolved ws = resolve("RAM:T/Felgrove/Trivelo_Extension", true);
    own_process()->pr_Result2 = saved;
    return ws.error == 0 && ws.place.key() == place.key();
}
} // namespace

BPTR Lock(CONST_STRPTR name, LONG type)
{
    NEED_DOS("Lock");
    const LONG access = type == EXCLUSIVE_LOCK ? EXCLUSIVE_LOCK : SHARED_LOCK;
    Resolved r = resolve(name, true);
    if (!r.error && workspace_injected(r.place))
        r.error = ERROR_OBJECT_NOT_FOUND;
    if (!r.error && !r.exists)
        r.error = ERROR_OBJECT_NOT_FOUND;
    if (!r.error && path_injected("lock", r.place))
        r.error = ERROR_OBJECT_IN_USE;
    if (r.error) {
        set_err(r.error);
        return 0;
    }
    int shared = 0;
    bool exclusive = false;
    holders(r.place, shared, exclusive);
    if (exclusive || (access == EXCLUSIVE_LOCK && shared > 0)) {
        set_err(ERROR_OBJECT_IN_USE);
        return 0;
    }
    set_err(0);
    return new_lock(r.place, access);
}

void UnLock(BPTR lock)
{
    NEED_DOS("UnLock");
    if (!lock)
        return;
    lock_of(lock, "UnLock");
    if (own_process()->pr_CurrentDir == lock)
        die("UnLock() of the lock that is the current directory");
    locks().erase(BADDR(lock));
}

BPTR DupLock(BPTR lock)
{
    NEED_DOS("DupLock");
    if (!lock) {
        set_err(0);
        return 0;
    }
    LockRec *rec = lock_of(lock, "DupLock");
    if (rec->exclusive) {
        set_err(ERROR_OBJECT_IN_USE);
        return 0;
    }
    set_err(0);
    return new_lock(rec->place, SHARED_LOCK);
}

BPTR CurrentDir(BPTR lock)
{
    NEED_DOS("CurrentDir");
    lock_of(lock, "CurrentDir");
    struct Process *self = own_process();
    const BPTR old = self->pr_CurrentDir;
    self->pr_CurrentDir = lock;
    return old;
}

BPTR CreateDir(CONST_STRPTR name)
{
    NEED_DOS("CreateDir");
    Resolved r = resolve(name, true);
    if (!r.error && r.exists)
        r.error = ERROR_OBJECT_EXISTS;
    if (!r.error && (workspace_injected(r.place) || path_injected("createdir", r.place)))
        r.error = ERROR_DISK_FULL;
    if (r.error) {
        set_err(r.error);
        return 0;
    }
    std::error_code ec;
    if (!fs::create_directory(r.place.host(), ec) || ec) {
        set_err(ec ? ec_to_dos(ec) : ERROR_OBJECT_EXISTS);
        return 0;
    }
    attributes().erase(r.place.key());
    set_err(0);
    return new_lock(r.place, EXCLUSIVE_LOCK);
}

LONG DeleteFile(CONST_STRPTR name)
{
    NEED_DOS("DeleteFile");
    Resolved r = resolve(name, false);
    if (!r.error && r.place.comps.empty())
        r.error = ERROR_OBJECT_WRONG_TYPE; // a volume's root
    if (r.error) {
        set_err(r.error);
        return DOSFALSE;
    }
    int shared = 0;
    bool exclusive = false;
    holders(r.place, shared, exclusive);
    if (shared || exclusive) {
        set_err(ERROR_OBJECT_IN_USE);
        return DOSFALSE;
    }
    if (protection_of(r.place) & FIBF_DELETE) {
        set_err(ERROR_DELETE_PROTECTED);
        return DOSFALSE;
    }
    std::error_code ec;
    const fs::path host = r.place.host();
    if (r.is_dir && !fs::is_empty(host, ec)) {
        set_err(ERROR_DIRECTORY_NOT_EMPTY);
        return DOSFALSE;
    }
    if (!fs::remove(host, ec) || ec) {
        set_err(ec ? ec_to_dos(ec) : ERROR_OBJECT_NOT_FOUND);
        return DOSFALSE;
    }
    attributes().erase(r.place.key());
    set_err(0);
    return DOSTRUE;
}

LONG Rename(CONST_STRPTR oldName, CONST_STRPTR newName)
{
    NEED_DOS("Rename");
    Resolved from = resolve(oldName, false);
    if (from.error) {
        set_err(from.error);
        return DOSFALSE;
    }
    Resolved to = resolve(newName, true);
    if (to.error) {
        set_err(to.error);
        return DOSFALSE;
    }
    if (from.place.comps.empty()) {
        set_err(ERROR_OBJECT_WRONG_TYPE);
        return DOSFALSE;
    }
    if (fold(from.place.root.generic_string()) != fold(to.place.root.generic_string())) {
        set_err(ERROR_RENAME_ACROSS_DEVICES);
        return DOSFALSE;
    }
    const bool case_change = to.exists && same_place(from.place, to.place);
    if (to.exists && !case_change) {
        set_err(ERROR_OBJECT_EXISTS);
        return DOSFALSE;
    }
    if (case_change)
        to.place.comps.back() = std::string(newName).substr(std::string(newName).find_last_of(":/") + 1);
    if (within(to.place, from.place) && !case_change) {
        set_err(ERROR_OBJECT_IN_USE); // a drawer cannot move into itself
        return DOSFALSE;
    }
    std::error_code ec;
    fs::rename(from.place.host(), to.place.host(), ec);
    if (ec) {
        set_err(ec_to_dos(ec));
        return DOSFALSE;
    }
    // Locks, open files and attributes follow the object to its new name.
    auto move = [&](Place &p) {
        if (!within(p, from.place))
            return;
        std::vector<std::string> comps = to.place.comps;
        comps.insert(comps.end(), p.comps.begin() + static_cast<long>(from.place.comps.size()), p.comps.end());
        p.comps = comps;
    };
    for (auto &l : locks())
        move(l.second->place);
    for (auto &f : files())
        if (!f.second->console)
            move(f.second->place);
    const std::string old_key = from.place.key(), new_key = to.place.key();
    std::map<std::string, Attributes> moved;
    for (auto it = attributes().begin(); it != attributes().end();) {
        const std::string &k = it->first;
        if (k == old_key || (k.size() > old_key.size() && k.compare(0, old_key.size(), old_key) == 0 && k[old_key.size()] == '/')) {
            moved[new_key + k.substr(old_key.size())] = it->second;
            it = attributes().erase(it);
        } else {
            ++it;
        }
    }
    for (auto &m : moved)
        attributes()[m.first] = m.second;
    set_err(0);
    return DOSTRUE;
}

LONG Examine(BPTR lock, struct FileInfoBlock *fib)
{
    NEED_DOS("Examine");
    Place place = lock ? lock_of(lock, "Examine")->place : current_place();
    ObjectInfo info;
    if (!fib || !info_of(place, info)) {
        set_err(ERROR_OBJECT_NOT_FOUND);
        return DOSFALSE;
    }
    std::memset(fib, 0, sizeof(*fib));
    fib->fib_DirEntryType = info.is_dir ? (info.is_root ? ST_ROOT : ST_USERDIR) : ST_FILE;
    fib->fib_EntryType = fib->fib_DirEntryType;
    std::strncpy(fib->fib_FileName, info.name.c_str(), sizeof(fib->fib_FileName) - 1);
    fib->fib_Protection = info.protection;
    fib->fib_Size = static_cast<LONG>(info.size);
    fib->fib_NumBlocks = static_cast<LONG>((info.size + 511) / 512);
    fib->fib_Date = info.date;
    std::strncpy(fib->fib_Comment, info.comment.c_str(), sizeof(fib->fib_Comment) - 1);
    set_err(0);
    return DOSTRUE;
}

struct ExamineData *ExamineObject(const struct TagItem *tags)
{
    NEED_DOS("ExamineObject");
    Place place;
    if (const struct TagItem *t = find_tag(EX_StringNameInput, tags)) {
        Resolved r = resolve(reinterpret_cast<CONST_STRPTR>(t->ti_Data), false);
        if (r.error) {
            set_err(r.error);
            return nullptr;
        }
        place = r.place;
    } else if (const struct TagItem *t = find_tag(EX_FileLockInput, tags)) {
        place = t->ti_Data ? lock_of(static_cast<BPTR>(t->ti_Data), "ExamineObject")->place : current_place();
    } else if (const struct TagItem *t = find_tag(EX_FileHandleInput, tags)) {
        FileRec *rec = file_of(static_cast<BPTR>(t->ti_Data), "ExamineObject");
        if (rec->console) {
            set_err(ERROR_OBJECT_WRONG_TYPE);
            return nullptr;
        }
        place = rec->place;
    } else {
        set_err(ERROR_REQUIRED_ARG_MISSING);
        return nullptr;
    }
    ObjectInfo info;
    if (!info_of(place, info)) {
        set_err(ERROR_OBJECT_NOT_FOUND);
        return nullptr;
    }
    const std::size_t size = sizeof(struct ExamineData) + info.name.size() + 1 + info.comment.size() + 1 + 1;
    char *block = static_cast<char *>(std::calloc(1, size));
    if (!block) {
        set_err(ERROR_NO_FREE_STORE);
        return nullptr;
    }
    struct ExamineData *exd = reinterpret_cast<struct ExamineData *>(block);
    char *name = block + sizeof(struct ExamineData);
    char *comment = name + info.name.size() + 1;
    std::memcpy(name, info.name.c_str(), info.name.size() + 1);
    std::memcpy(comment, info.comment.c_str(), info.comment.size() + 1);
    exd->StructSize = sizeof(struct ExamineData);
    exd->Type = static_cast<uint32>(static_cast<int32>(info.is_dir ? (info.is_root ? ST_ROOT : ST_USERDIR) : ST_FILE));
    exd->FileSize = info.is_dir ? -1 : info.size;
    exd->Date = info.date;
    exd->Name = name;
    exd->NameSize = static_cast<uint32>(info.name.size() + 1);
    exd->Comment = comment;
    exd->CommentSize = static_cast<uint32>(info.comment.size() + 1);
    exd->Link = comment + info.comment.size() + 1;
    exd->LinkSize = 1;
    exd->Protection = static_cast<uint32>(info.protection);
    dos_objects()[block] = DOS_EXAMINEDATA;
    set_err(0);
    return exd;
}

APTR AllocDosObject(ULONG type, const struct TagItem *)
{
    NEED_DOS("AllocDosObject");
    std::size_t size = 0;
    if (type == DOS_FIB)
        size = sizeof(struct FileInfoBlock);
    else if (type == DOS_EXAMINEDATA)
        size = sizeof(struct ExamineData);
    if (!size) {
        set_err(ERROR_BAD_NUMBER);
        return nullptr;
    }
    void *p = std::calloc(1, size);
    if (!p) {
        set_err(ERROR_NO_FREE_STORE);
        return nullptr;
    }
    dos_objects()[p] = type;
    return p;
}

void FreeDosObject(ULONG type, APTR ptr)
{
    NEED_DOS("FreeDosObject");
    if (!ptr)
        return;
    auto it = dos_objects().find(ptr);
    if (it == dos_objects().end())
        die("FreeDosObject() of something that dos did not allocate (freed twice?)");
    if (it->second != type)
        die("FreeDosObject() with a type other than the one the object was allocated with");
    dos_objects().erase(it);
    std::free(ptr);
}

namespace {
LONG change_object(CONST_STRPTR name, const std::function<LONG(Resolved &)> &change)
{
    Resolved r = resolve(name, false);
    if (r.error) {
        set_err(r.error);
        return DOSFALSE;
    }
    const LONG err = change(r);
    set_err(err);
    return err ? DOSFALSE : DOSTRUE;
}
} // namespace

LONG SetComment(CONST_STRPTR name, CONST_STRPTR comment)
{
    NEED_DOS("SetComment");
    return change_object(name, [&](Resolved &r) -> LONG {
        const std::string text = comment ? comment : "";
        if (text.size() > 79)
            return ERROR_COMMENT_TOO_BIG;
        attributes()[r.place.key()].comment = text;
        return 0;
    });
}

LONG SetProtection(CONST_STRPTR name, LONG protect)
{
    NEED_DOS("SetProtection");
    return change_object(name, [&](Resolved &r) -> LONG {
        attributes()[r.place.key()].protection = protect;
        return 0;
    });
}

namespace {
LONG set_date(CONST_STRPTR name, const struct DateStamp *date)
{
    return change_object(name, [&](Resolved &r) -> LONG {
        if (!date)
            return ERROR_REQUIRED_ARG_MISSING;
        flush_files_on(r.place);
        if (!set_date_of(r.place.host(), date))
            return ERROR_WRITE_PROTECTED;
        Attributes &a = attributes()[r.place.key()];
        a.has_date = true;
        a.date = *date;
        return 0;
    });
}
} // namespace

LONG SetFileDate(CONST_STRPTR name, const struct DateStamp *date)
{
    NEED_DOS("SetFileDate");
    return set_date(name, date);
}

LONG SetDate(CONST_STRPTR name, const struct DateStamp *date)
{
    NEED_DOS("SetDate");
    return set_date(name, date);
}

/* ---- Errors ---------------------------------------------------------------------------------------------- */

LONG IoErr(void)
{
    NEED_DOS("IoErr");
    return own_process()->pr_Result2;
}

LONG SetIoErr(LONG result)
{
    NEED_DOS("SetIoErr");
    const LONG old = own_process()->pr_Result2;
    own_process()->pr_Result2 = result;
    return old;
}

namespace {
const char *fault_text(LONG code)
{
    switch (code) {
    case ERROR_NO_FREE_STORE: return "not enough memory";
    case ERROR_TASK_TABLE_FULL: return "process table full";
    case ERROR_BAD_TEMPLATE: return "bad template";
    case ERROR_BAD_NUMBER: return "bad number";
    case ERROR_REQUIRED_ARG_MISSING: return "required argument missing";
    case ERROR_KEY_NEEDS_ARG: return "value after keyword missing";
    case ERROR_TOO_MANY_ARGS: return "wrong number of arguments";
    case ERROR_LINE_TOO_LONG: return "argument line invalid or too long";
    case ERROR_FILE_NOT_OBJECT: return "file is not executable";
    case ERROR_INVALID_RESIDENT_LIBRARY: return "invalid resident library";
    case ERROR_NO_DEFAULT_DIR: return "no default directory";
    case ERROR_OBJECT_IN_USE: return "object in use";
    case ERROR_OBJECT_EXISTS: return "object already exists";
    case ERROR_DIR_NOT_FOUND: return "directory not found";
    case ERROR_OBJECT_NOT_FOUND: return "object not found";
    case ERROR_BAD_STREAM_NAME: return "invalid window description";
    case ERROR_OBJECT_TOO_LARGE: return "object too large";
    case ERROR_ACTION_NOT_KNOWN: return "packet request type unknown";
    case ERROR_INVALID_COMPONENT_NAME: return "object name invalid";
    case ERROR_INVALID_LOCK: return "invalid object lock";
    case ERROR_OBJECT_WRONG_TYPE: return "object not of required type";
    case ERROR_DISK_NOT_VALIDATED: return "disk not validated";
    case ERROR_DISK_WRITE_PROTECTED: return "disk is write-protected";
    case ERROR_RENAME_ACROSS_DEVICES: return "rename across devices attempted";
    case ERROR_DIRECTORY_NOT_EMPTY: return "directory not empty";
    case ERROR_TOO_MANY_LEVELS: return "too many levels";
    case ERROR_DEVICE_NOT_MOUNTED: return "device (or volume) is not mounted";
    case ERROR_SEEK_ERROR: return "seek error";
    case ERROR_COMMENT_TOO_BIG: return "comment is too long";
    case ERROR_DISK_FULL: return "disk is full";
    case ERROR_DELETE_PROTECTED: return "file is protected from deletion";
    case ERROR_WRITE_PROTECTED: return "file is write protected";
    case ERROR_READ_PROTECTED: return "file is read protected";
    case ERROR_NOT_A_DOS_DISK: return "not a valid DOS disk";
    case ERROR_NO_DISK: return "no disk in drive";
    case ERROR_NO_MORE_ENTRIES: return "no more entries in directory";
    case ERROR_IS_SOFT_LINK: return "object is soft linked";
    case ERROR_OBJECT_LINKED: return "object is linked";
    case ERROR_BAD_HUNK: return "bad loadfile hunk";
    case ERROR_NOT_IMPLEMENTED: return "function not implemented";
    default: return nullptr;
    }
}

std::string fault_line(LONG code, CONST_STRPTR header)
{
    std::string text;
    if (const char *known = fault_text(code))
        text = known;
    else
        text = "Error code " + std::to_string(code);
    if (header)
        return std::string(header) + ": " + text;
    return text;
}
} // namespace

LONG Fault(LONG code, CONST_STRPTR header, STRPTR buffer, LONG len)
{
    NEED_DOS("Fault");
    set_err(code);
    if (!buffer || len <= 0)
        return 0;
    if (code == 0) {
        buffer[0] = '\0';
        return 0;
    }
    const std::string line = fault_line(code, header);
    const std::size_t n = line.size() < static_cast<std::size_t>(len - 1) ? line.size() : static_cast<std::size_t>(len - 1);
    std::memcpy(buffer, line.data(), n);
    buffer[n] = '\0';
    return static_cast<LONG>(n);
}

BOOL PrintFault(LONG code, CONST_STRPTR header)
{
    NEED_DOS("PrintFault");
    set_err(code);
    if (code == 0)
        return DOSFALSE;
    const std::string line = fault_line(code, header) + "\n";
    std::fputs(line.c_str(), stdout);
    return DOSTRUE;
}

#ifndef STANDIN_STANDIN_H
#define STANDIN_STANDIN_H
/* Host-only control of the Amiga-family stand-in: harness configuration, failure injection, the
 * script of user actions, the transcript, and the BOOPSI class registry used by the stand-in classes.
 * Programs written for the Amiga never include this header; the stand-in's own classes and the tests
 * do. */

#include <exec/types.h>
#include <intuition/classes.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace standin {

/* ---- Configuration ------------------------------------------------------------------------------ */

/* Reads the TRIVELO_AMIGA_* variables of the process environment (see README.md). */
void configure_from_environment();
/* The same from a table of variable name -> value; a missing name means the variable is unset.
 * Malformed values stop the program with a message naming the variable. */
void configure(const std::map<std::string, std::string> &variables);

/* Back to the state of a fresh start: default volumes (a new RAM), english locale with code set 4,
 * no failures, no applications or other tasks, empty script, transcript off, no file attributes;
 * every lock, file, requester and library opening is forgotten, and dos and exec are open again. */
void reset();

/* Volumes: NAME: resolves under host_dir.  Names compare without regard to case. */
void set_volume(const std::string &name, const std::string &host_dir);
/* The host folder of a volume ("" when unknown); RAM is created on first use. */
std::string volume_host_dir(const std::string &name);
/* The host path an Amiga path resolves to now ("" when it cannot be resolved). */
std::string host_path(const std::string &amiga_path);

/* Default locale: its language name as bytes, or no locale at all (nullopt). */
void set_locale(const std::optional<std::string> &language_name, ULONG code_set = 4);

/* Registered applications (application.library) and running processes (exec/dos). */
void add_application(const std::string &identifier);
void add_task(const std::string &name);         /* a process of that name, started from Workbench */
void add_cli_process(const std::string &command); /* a shell process running that command */

/* ---- Failure injection ---------------------------------------------------------------------------- */

/* Adds failures, comma-separated, in the syntax of TRIVELO_AMIGA_FAIL (see README.md). */
void fail(const std::string &spec);
void clear_failures();
/* True when the bare failure word (e.g. "screen", "window", "requester") is injected. */
bool failing(const std::string &word);

/* ---- Script of user actions ----------------------------------------------------------------------- */

struct Action {
    enum Kind { Type, PressLeft, PressRight, PressBrowse, Close, Escape, Asl, AslCancel };
    Kind kind;
    std::string text; /* Type: the new contents of the path field; Asl: the drawer */
    std::string file; /* Asl: the file name ("" when the line gives none) */
    std::string line; /* the script line as written */
};

/* Parses one script line; nullopt (and *error set) when it is not a valid action. */
std::optional<Action> parse_action(const std::string &line, std::string *error = nullptr);
/* Replaces the script by the lines of a text; stops the program on an invalid line. */
void script_set(const std::string &text);
/* Appends one line to the script. */
void script_push(const std::string &line);
/* Queues the answer of the next asl requester: a drawer and a file, or a cancel. */
void queue_asl(const std::string &drawer, const std::string &file = std::string());
void queue_asl_cancel();
/* The next action without taking it / taking it; nullopt when the script is used up (the caller then
 * acts as if the user closed the window). */
std::optional<Action> script_peek();
std::optional<Action> script_next();
std::size_t script_remaining();

/* ---- Transcript ----------------------------------------------------------------------------------- */

/* One field of a transcript event: a text (its bytes), a number, a boolean or null. */
struct Field {
    enum Kind { Text, Number, Boolean, Null };
    const char *key;
    Kind kind;
    std::string text;
    long long number = 0;
    bool boolean = false;

    Field(const char *k, const char *s) : key(k), kind(s ? Text : Null), text(s ? s : "") {}
    Field(const char *k, char *s) : Field(k, static_cast<const char *>(s)) {}
    Field(const char *k, const unsigned char *s) : Field(k, reinterpret_cast<const char *>(s)) {}
    Field(const char *k, unsigned char *s) : Field(k, reinterpret_cast<const char *>(s)) {}
    Field(const char *k, const std::string &s) : key(k), kind(Text), text(s) {}
    Field(const char *k, bool b) : key(k), kind(Boolean), boolean(b) {}
    Field(const char *k, int n) : key(k), kind(Number), number(n) {}
    Field(const char *k, long n) : key(k), kind(Number), number(n) {}
    Field(const char *k, long long n) : key(k), kind(Number), number(n) {}
    Field(const char *k, unsigned n) : key(k), kind(Number), number(n) {}
    Field(const char *k, unsigned long n) : key(k), kind(Number), number(static_cast<long long>(n)) {}
    Field(const char *k, unsigned long long n) : key(k), kind(Number), number(static_cast<long long>(n)) {}
    Field(const char *k, std::nullptr_t) : key(k), kind(Null) {}
};

/* Writes {"event":EVENT, key:value, ...} as one line, keys in the order given, and flushes it. */
void transcript_event(const char *event, std::initializer_list<Field> fields = {});
/* Sends the transcript to a host file (created anew), or nowhere with "". */
void transcript_to(const std::string &host_file);
/* The lines written since the last reset (kept in memory as well, for tests). */
const std::vector<std::string> &transcript_lines();
/* The JSON form of a text: each byte as the character of the same number. */
std::string json_text(const std::string &bytes);

/* ---- Waiting for input ------------------------------------------------------------------------------ */

/* Called by Wait() when none of the awaited signals is pending: the stand-in classes install a hook
 * that takes the next script action and signals the task.  Without a hook, or when the hook signals
 * nothing awaited, Wait() stops the program, since the real call would never return. */
void set_wait_hook(std::function<void(ULONG signal_set)> hook);

/* ---- BOOPSI classes --------------------------------------------------------------------------------- */

typedef ULONG (*Dispatcher)(Class *cl, Object *object, Msg msg);

/* Makes a class below a superclass (by pointer, or by public name when super is NULL; "rootclass" is
 * always there) with inst_size bytes of zeroed instance data per object.  A public class (id not
 * NULL) is found by NewObject() by its name.  Returns NULL when the superclass is unknown or the name
 * is taken. */
Class *register_class(const char *id, Class *super, const char *super_id, ULONG inst_size, Dispatcher dispatcher);
Class *find_class(const char *id);

/* ---- Libraries ---------------------------------------------------------------------------------------- */

/* Makes a further library known to OpenLibrary() (the known ones are listed in README.md). */
void add_library(const std::string &name, UWORD version = 53);

/* ---- Bookkeeping, for tests ----------------------------------------------------------------------- */

int library_open_count(const std::string &name);
int open_locks();        /* locks held, file handles not counted */
int open_files();        /* file handles open */
int allocated_vecs();    /* AllocVec blocks not freed */
int pubscreen_locks();
int live_objects();      /* BOOPSI objects not disposed */
bool amigaos4_mode();    /* true once the program obtained an interface */

/* ---- Host program ----------------------------------------------------------------------------------- */

/* The program's name as its own process is called (set by the host main from argv[0]). */
void set_program_name(const std::string &name);
/* Removes the temporary RAM folder (done at exit as well). */
void shutdown();

} // namespace standin

#endif

// The harness: configuration from the environment, failure injection, the script of user actions and
// the transcript.
#include <standin/standin.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <sstream>

#include "internal.h"

namespace standin {
namespace detail {

unsigned char fold(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) // Latin-1 capitals
        return static_cast<unsigned char>(c + 32);
    return c;
}

std::string fold(const std::string &s)
{
    std::string out(s);
    for (char &c : out)
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}

bool same_name(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

std::vector<Injection> &injection_list()
{
    static std::vector<Injection> list;
    return list;
}

std::deque<Action> &script()
{
    static std::deque<Action> list;
    return list;
}

struct Transcript {
    std::FILE *file = nullptr;
    std::vector<std::string> lines;
    ~Transcript()
    {
        if (file)
            std::fclose(file);
    }
};

Transcript &transcript()
{
    static Transcript t;
    return t;
}

std::string trim(const std::string &s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n'))
        --e;
    return s.substr(b, e - b);
}

std::vector<std::string> split(const std::string &s, char sep)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            break;
        start = at + 1;
    }
    return parts;
}

bool parse_number(const std::string &s, long long &out)
{
    if (s.empty() || s.size() > 18)
        return false;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// \xNN gives the byte NN; any other backslash stays as it is.
std::string unescape(const std::string &s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hex_digit(s[i + 2]) >= 0 &&
            hex_digit(s[i + 3]) >= 0) {
            out += static_cast<char>(hex_digit(s[i + 2]) * 16 + hex_digit(s[i + 3]));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

void write_line(const std::string &line)
{
    Transcript &t = transcript();
    t.lines.push_back(line);
    if (t.file) {
        std::fwrite(line.data(), 1, line.size(), t.file);
        std::fputc('\n', t.file);
        std::fflush(t.file);
    }
}

} // namespace

const std::vector<Injection> &injections() { return injection_list(); }

bool injected(const std::string &kind, const std::string &arg)
{
    for (const Injection &inj : injection_list())
        if (inj.kind == kind && same_name(inj.arg, arg))
            return true;
    return false;
}

void reset_harness()
{
    injection_list().clear();
    script().clear();
    Transcript &t = transcript();
    if (t.file)
        std::fclose(t.file);
    t.file = nullptr;
    t.lines.clear();
}

} // namespace detail

using namespace detail;

void reset()
{
    reset_harness();
    reset_exec();
    reset_dos();
    reset_misc();
}

void configure(const std::map<std::string, std::string> &vars)
{
    reset();
    auto get = [&](const char *name) -> const std::string * {
        auto it = vars.find(name);
        return it == vars.end() ? nullptr : &it->second;
    };
    if (const std::string *v = get("TRIVELO_AMIGA_VOLUMES")) {
        for (const std::string &entry : split(*v, ';')) {
            if (trim(entry).empty())
                continue;
            const std::size_t eq = entry.find('=');
            const std::string name = eq == std::string::npos ? std::string() : trim(entry.substr(0, eq));
            if (eq == std::string::npos || name.empty() || name.find_first_of(":/") != std::string::npos ||
                eq + 1 >= entry.size())
                die("TRIVELO_AMIGA_VOLUMES: \"" + entry + "\" is not NAME=HOSTDIR");
            set_volume(name, entry.substr(eq + 1));
        }
    }
    ULONG code_set = 4;
    if (const std::string *v = get("TRIVELO_AMIGA_CODESET")) {
        long long n = 0;
        if (!parse_number(trim(*v), n) || n > 0xFFFFFFFFLL)
            die("TRIVELO_AMIGA_CODESET: \"" + *v + "\" is not a number");
        code_set = static_cast<ULONG>(n);
    }
    if (const std::string *v = get("TRIVELO_AMIGA_LOCALE")) {
        if (*v == "none")
            set_locale(std::nullopt, code_set);
        else
            set_locale(*v, code_set);
    } else {
        set_locale(std::string("english.language"), code_set);
    }
    if (const std::string *v = get("TRIVELO_AMIGA_FAIL"))
        fail(*v);
    if (const std::string *v = get("TRIVELO_AMIGA_APPS"))
        for (const std::string &id : split(*v, ','))
            if (!trim(id).empty())
                add_application(trim(id));
    if (const std::string *v = get("TRIVELO_AMIGA_TASKS"))
        for (const std::string &item : split(*v, ',')) {
            const std::string t = trim(item);
            if (t.empty())
                continue;
            if (t.compare(0, 4, "cli:") == 0)
                add_cli_process(t.substr(4));
            else
                add_task(t);
        }
    if (const std::string *v = get("TRIVELO_AMIGA_SCRIPT")) {
        std::ifstream in(*v, std::ios::binary);
        if (!in)
            die("TRIVELO_AMIGA_SCRIPT: cannot read \"" + *v + "\"");
        std::ostringstream text;
        text << in.rdbuf();
        script_set(text.str());
    }
    if (const std::string *v = get("TRIVELO_AMIGA_TRANSCRIPT"))
        transcript_to(*v);
}

void configure_from_environment()
{
    static const char *const names[] = {"TRIVELO_AMIGA_VOLUMES", "TRIVELO_AMIGA_LOCALE", "TRIVELO_AMIGA_CODESET",
                                        "TRIVELO_AMIGA_FAIL",    "TRIVELO_AMIGA_APPS",   "TRIVELO_AMIGA_TASKS",
                                        "TRIVELO_AMIGA_SCRIPT",  "TRIVELO_AMIGA_TRANSCRIPT"};
    std::map<std::string, std::string> vars;
    for (const char *name : names)
        if (const char *value = std::getenv(name))
            vars[name] = value;
    configure(vars);
}

void fail(const std::string &spec)
{
    static const char *const with_arg[] = {"library", "interface", "lock", "open", "read", "write", "alloc", "createdir"};
    for (const std::string &raw : split(spec, ',')) {
        const std::string item = trim(raw);
        if (item.empty())
            continue;
        Injection inj;
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos) {
            inj.kind = item;
            injection_list().push_back(inj);
            continue;
        }
        inj.kind = item.substr(0, colon);
        inj.arg = item.substr(colon + 1);
        bool known = false;
        for (const char *k : with_arg)
            known = known || inj.kind == k;
        if (!known)
            die("TRIVELO_AMIGA_FAIL: unknown failure \"" + item + "\"");
        if (inj.arg.empty())
            die("TRIVELO_AMIGA_FAIL: \"" + item + "\" names nothing");
        if (inj.kind == "alloc" && !parse_number(inj.arg, inj.limit))
            die("TRIVELO_AMIGA_FAIL: \"" + item + "\" needs a size in bytes");
        if (inj.kind == "write") {
            inj.limit = 0;
            const std::size_t at = inj.arg.rfind('@');
            long long n = 0;
            if (at != std::string::npos && parse_number(inj.arg.substr(at + 1), n)) {
                inj.limit = n;
                inj.arg.resize(at);
            }
        }
        injection_list().push_back(inj);
    }
}

void clear_failures() { injection_list().clear(); }

bool failing(const std::string &word)
{
    for (const Injection &inj : injection_list())
        if (inj.arg.empty() && inj.kind == word)
            return true;
    return false;
}

std::optional<Action> parse_action(const std::string &raw, std::string *error)
{
    std::string line = raw;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    Action a;
    a.line = line;
    auto rest_after = [&](const char *word) -> std::optional<std::string> {
        const std::size_t n = std::strlen(word);
        if (line == word)
            return std::string();
        if (line.size() > n && line.compare(0, n, word) == 0 && line[n] == ' ')
            return line.substr(n + 1);
        return std::nullopt;
    };
    if (auto rest = rest_after("type")) {
        a.kind = Action::Type;
        a.text = unescape(*rest);
        return a;
    }
    if (line == "press left" || line == "press right" || line == "press browse") {
        a.kind = line == "press left" ? Action::PressLeft : line == "press right" ? Action::PressRight : Action::PressBrowse;
        return a;
    }
    if (line == "close" || line == "escape") {
        a.kind = line == "close" ? Action::Close : Action::Escape;
        return a;
    }
    if (auto rest = rest_after("asl")) {
        if (*rest == "cancel") {
            a.kind = Action::AslCancel;
            return a;
        }
        a.kind = Action::Asl;
        const std::size_t bar = rest->find('|');
        a.text = unescape(rest->substr(0, bar));
        if (bar != std::string::npos)
            a.file = unescape(rest->substr(bar + 1));
        return a;
    }
    if (error)
        *error = "\"" + line + "\" is not an action (type TEXT, press left|right|browse, close, escape, asl ...)";
    return std::nullopt;
}

void script_set(const std::string &text)
{
    script().clear();
    int number = 0;
    for (const std::string &line : split(text, '\n')) {
        ++number;
        if (trim(line).empty())
            continue;
        std::string error;
        auto a = parse_action(line, &error);
        if (!a)
            die("TRIVELO_AMIGA_SCRIPT line " + std::to_string(number) + ": " + error);
        script().push_back(*a);
    }
}

void script_push(const std::string &line)
{
    std::string error;
    auto a = parse_action(line, &error);
    if (!a)
        die("script: " + error);
    script().push_back(*a);
}

void queue_asl(const std::string &drawer, const std::string &file)
{
    Action a;
    a.kind = Action::Asl;
    a.text = drawer;
    a.file = file;
    a.line = "asl " + drawer + "|" + file;
    script().push_back(a);
}

void queue_asl_cancel()
{
    Action a;
    a.kind = Action::AslCancel;
    a.line = "asl cancel";
    script().push_back(a);
}

std::optional<Action> script_peek()
{
    if (script().empty())
        return std::nullopt;
    return script().front();
}

std::optional<Action> script_next()
{
    if (script().empty())
        return std::nullopt;
    Action a = script().front();
    script().pop_front();
    return a;
}

std::size_t script_remaining() { return script().size(); }

std::string json_text(const std::string &bytes)
{
    std::string out = "\"";
    char buf[8];
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x80) {
            std::snprintf(buf, sizeof(buf), "\\u%04X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void transcript_event(const char *event, std::initializer_list<Field> fields)
{
    std::string line = "{\"event\":" + json_text(event ? event : "");
    for (const Field &f : fields) {
        line += ",";
        line += json_text(f.key ? f.key : "");
        line += ":";
        switch (f.kind) {
        case Field::Text: line += json_text(f.text); break;
        case Field::Number: line += std::to_string(f.number); break;
        case Field::Boolean: line += f.boolean ? "true" : "false"; break;
        case Field::Null: line += "null"; break;
        }
    }
    line += "}";
    write_line(line);
}

void transcript_to(const std::string &host_file)
{
    Transcript &t = transcript();
    if (t.file)
        std::fclose(t.file);
    t.file = nullptr;
    if (host_file.empty())
        return;
    t.file = std::fopen(host_file.c_str(), "wb");
    if (!t.file)
        die("TRIVELO_AMIGA_TRANSCRIPT: cannot create \"" + host_file + "\"");
}

const std::vector<std::string> &transcript_lines() { return transcript().lines; }

} // namespace standin

// muimaster.library and the MUI classes the installer uses (Application, Window, Group, Image, Text,
// String, Gauge), on the stand-in's BOOPSI core.
//
// What the user would have seen goes to the transcript: the application and the window when they
// appear, each screen once a group change of an open window is finished (MUIM_Group_ExitChange),
// gauge changes on a shown gauge, the application's sleep, the path field written by the program,
// and every requester. User input comes from the script: the application takes the next action each
// time the program waits for the application's signal, and turns it into what MUI would do (a button
// press sets MUIA_Pressed, a close sets MUIA_Window_CloseRequest, typing replaces the string's
// contents), so the program's notifications deliver the return identifiers.
//
// Mistakes that crash or misbehave on the real system stop the program with a message: an object
// added to a group of an open window outside InitChange/ExitChange, an object disposed while still
// a member of a group, an object added twice, a format string that reads an argument that was not
// given.

#include <proto/exec.h>
#include <proto/intuition.h>
#include <proto/muimaster.h>

#include <standin/standin.h>

#include "../internal.h"
#include "mui_standin.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace standin {
namespace mui {
namespace {

using standin::detail::die;

enum class Kind { Application, Window, Group, Image, Text, String, Gauge };

struct ClassInfo {
    const char *name;
    Kind kind;
};
const ClassInfo kClasses[] = {
    {MUIC_Application, Kind::Application}, {MUIC_Window, Kind::Window}, {MUIC_Group, Kind::Group},
    {MUIC_Image, Kind::Image},             {MUIC_Text, Kind::Text},     {MUIC_String, Kind::String},
    {MUIC_Gauge, Kind::Gauge},
};

enum class Role { Plain, Label, Button };

struct Notification {
    ULONG attribute;
    ULONG value;
    Object *target;
    std::vector<ULONG> message;
};

struct MuiObject {
    Kind kind;
    Object *self = nullptr;
    std::map<ULONG, ULONG> given;
    std::vector<Notification> notifications;
    MuiObject *parent = nullptr;
    std::vector<Object *> children; // group children, a window's root, an application's windows

    // Text.mui and String.mui keep their own copy of the contents.
    std::string contents;
    ULONG max_len = 80;
    Role role = Role::Plain;
    // Gauge.mui
    LONG current = 0;
    LONG max = 100;
    // Group.mui
    int change_depth = 0;
    // Window.mui
    bool open = false;
    // Application.mui
    int sleep = 0;
    BYTE signal = -1;
    std::deque<ULONG> return_ids;
    std::deque<Action> pending;
};

MuiObject *g_application = nullptr;
std::function<void()> g_observer;
std::vector<std::string> g_change_log;
int g_waits_without_script = 0;
int g_inputs_without_wait = 0;
int g_nested_dispose = 0; // disposals of children by their parent

const char *kind_name(Kind kind)
{
    for (const ClassInfo &c : kClasses)
        if (c.kind == kind)
            return c.name;
    return "?";
}

bool kind_of_class(const Class *cl, Kind *kind)
{
    if (!cl || !cl->cl_ID)
        return false;
    for (const ClassInfo &c : kClasses)
        if (std::strcmp(cl->cl_ID, c.name) == 0) {
            *kind = c.kind;
            return true;
        }
    return false;
}

MuiObject *data(Object *o)
{
    if (!o)
        return nullptr;
    Class *cl = OCLASS(o);
    Kind kind;
    if (!kind_of_class(cl, &kind))
        die("MUI: an object that is not a MUI object was given where a MUI object is expected");
    return *static_cast<MuiObject **>(INST_DATA(cl, o));
}

const char *str(ULONG v) { return reinterpret_cast<const char *>(v); }

std::string text_of(ULONG v) { return v ? std::string(str(v)) : std::string(); }

// A label as the user sees it: the first underscore marks the following letter as the keyboard
// shortcut (underlined) and is not shown itself.
std::string visible(const std::string &label)
{
    std::string::size_type u = label.find('_');
    if (u == std::string::npos || u + 1 >= label.size())
        return label;
    return label.substr(0, u) + label.substr(u + 1);
}

// The formatting of exec's RawDoFmt as MUI uses it for requester bodies and gauge texts: each
// conversion takes the next argument of the array.
std::string format(const char *fmt, const ULONG *args, const char *what)
{
    std::string out;
    if (!fmt)
        return out;
    std::size_t next = 0;
    for (const char *p = fmt; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char *start = p++;
        if (*p == '%') {
            out += '%';
            continue;
        }
        bool left = false, zero = false;
        for (; *p == '-' || *p == '0'; ++p)
            (*p == '-' ? left : zero) = true;
        int width = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            width = width * 10 + (*p - '0');
        int precision = -1;
        if (*p == '.') {
            precision = 0;
            for (++p; *p >= '0' && *p <= '9'; ++p)
                precision = precision * 10 + (*p - '0');
        }
        bool is_long = false;
        if (*p == 'l') {
            is_long = true;
            ++p;
        }
        char conversion = *p;
        if (!std::strchr("dDuUxXcsb", conversion) || conversion == 0) {
            // Not a conversion: shown as written.
            out.append(start, p - start + (conversion ? 1 : 0));
            if (!conversion)
                break;
            continue;
        }
        if (!args)
            die(std::string("MUI: the format of ") + what + " reads an argument that was not given: \"" + fmt + "\"");
        ULONG arg = args[next++];
        std::string piece;
        char buffer[64];
        switch (conversion) {
        case 'd':
        case 'D':
            std::snprintf(buffer, sizeof buffer, "%ld", is_long ? static_cast<long>(arg) : static_cast<long>(static_cast<WORD>(arg)));
            piece = buffer;
            break;
        case 'u':
        case 'U':
            std::snprintf(buffer, sizeof buffer, "%lu", is_long ? arg : static_cast<ULONG>(static_cast<UWORD>(arg)));
            piece = buffer;
            break;
        case 'x':
        case 'X':
            std::snprintf(buffer, sizeof buffer, conversion == 'x' ? "%lx" : "%lX", is_long ? arg : static_cast<ULONG>(static_cast<UWORD>(arg)));
            piece = buffer;
            break;
        case 'c':
            piece = std::string(1, static_cast<char>(arg));
            break;
        case 's':
        case 'b':
            piece = text_of(arg);
            if (precision >= 0 && piece.size() > static_cast<std::size_t>(precision))
                piece.resize(precision);
            break;
        }
        if (static_cast<int>(piece.size()) < width) {
            std::string pad(width - piece.size(), zero && !left ? '0' : ' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}

MuiObject *window_of(MuiObject *m)
{
    for (MuiObject *p = m; p; p = p->parent)
        if (p->kind == Kind::Window)
            return p;
    return nullptr;
}

bool shown(MuiObject *m)
{
    MuiObject *w = window_of(m);
    return w && w->open;
}

std::string gauge_text(const MuiObject *g)
{
    auto it = g->given.find(MUIA_Gauge_InfoText);
    if (it == g->given.end() || !it->second)
        return std::string();
    ULONG args[1] = {static_cast<ULONG>(g->current)};
    return format(str(it->second), args, "MUIA_Gauge_InfoText");
}

void collect(MuiObject *m, std::vector<MuiObject *> &out)
{
    out.push_back(m);
    for (Object *c : m->children)
        collect(data(c), out);
}

struct ScreenView {
    std::vector<MuiObject *> objects;
    MuiObject *frame = nullptr, *text = nullptr, *label = nullptr, *left = nullptr, *right = nullptr;
    MuiObject *gauge = nullptr, *path = nullptr, *browse = nullptr;
};

ScreenView view_of(MuiObject *window)
{
    ScreenView v;
    if (!window->children.empty())
        collect(data(window->children.front()), v.objects);
    for (MuiObject *m : v.objects) {
        switch (m->kind) {
        case Kind::Group:
            if (!v.frame && m->given.count(MUIA_FrameTitle))
                v.frame = m;
            break;
        case Kind::Text:
            if (m->role == Role::Button) {
                if (!v.left)
                    v.left = m;
                v.right = m;
            } else if (m->role == Role::Label) {
                if (!v.label)
                    v.label = m;
            } else if (!v.text) {
                v.text = m;
            }
            break;
        case Kind::Image: {
            auto it = m->given.find(MUIA_InputMode);
            if (!v.browse && it != m->given.end() && static_cast<LONG>(it->second) == MUIV_InputMode_RelVerify)
                v.browse = m;
            break;
        }
        case Kind::String:
            if (!v.path)
                v.path = m;
            break;
        case Kind::Gauge:
            if (!v.gauge)
                v.gauge = m;
            break;
        default:
            break;
        }
    }
    return v;
}

// One "screen" event for what an open window shows now; nothing while only the logo is there.
void report_screen(MuiObject *window)
{
    ScreenView v = view_of(window);
    if (!v.left && !v.gauge && !v.text)
        return;
    std::string frame = v.frame ? text_of(v.frame->given[MUIA_FrameTitle]) : std::string();
    std::string label = v.label ? visible(v.label->contents) : std::string();
    std::string left = v.left ? visible(v.left->contents) : std::string();
    std::string right = v.right ? visible(v.right->contents) : std::string();
    std::string gtext = v.gauge ? gauge_text(v.gauge) : std::string();
    transcript_event("screen", {
        Field("number", v.path ? 1 : 2),
        v.frame ? Field("frame", frame) : Field("frame", nullptr),
        v.text ? Field("text", v.text->contents) : Field("text", nullptr),
        v.label ? Field("label", label) : Field("label", nullptr),
        v.left ? Field("left", left) : Field("left", nullptr),
        v.right ? Field("right", right) : Field("right", nullptr),
        Field("left_enabled", v.left != nullptr),
        v.gauge ? Field("gauge", static_cast<long>(v.gauge->current)) : Field("gauge", nullptr),
        v.gauge ? Field("gauge_text", gtext) : Field("gauge_text", nullptr),
        v.path ? Field("path", v.path->contents) : Field("path", nullptr),
    });
}

void trigger(MuiObject *m, ULONG attribute, ULONG value)
{
    std::vector<Notification> matching;
    for (const Notification &n : m->notifications)
        if (n.attribute == attribute && (n.value == value || n.value == MUIV_EveryTime))
            matching.push_back(n);
    for (Notification &n : matching) {
        if (!n.target)
            continue;
        std::vector<ULONG> message = n.message;
        for (ULONG &w : message)
            if (w == MUIV_EveryTime && &w != &message.front())
                w = value; // the trigger value stands in for MUIV_TriggerValue
        DoMethodA(n.target, reinterpret_cast<Msg>(message.data()));
    }
}

void set_contents(MuiObject *m, ULONG value)
{
    std::string text = text_of(value);
    if (m->kind == Kind::String && m->max_len > 0 && text.size() > m->max_len - 1)
        text.resize(m->max_len - 1);
    m->contents = text;
}

// One attribute given at creation (initial) or set later.
void apply(MuiObject *m, ULONG attribute, ULONG value, bool initial)
{
    m->given[attribute] = value;
    switch (attribute) {
    case MUIA_Text_Contents:
        if (m->kind == Kind::Text)
            set_contents(m, value);
        break;
    case MUIA_String_MaxLen:
        if (m->kind == Kind::String)
            m->max_len = value;
        break;
    case MUIA_String_Contents:
        if (m->kind == Kind::String) {
            set_contents(m, value);
            if (!initial)
                transcript_event("path", {Field("text", m->contents)});
        }
        break;
    case MUIA_Gauge_Max:
        if (m->kind == Kind::Gauge)
            m->max = static_cast<LONG>(value);
        break;
    case MUIA_Gauge_Current:
        if (m->kind == Kind::Gauge) {
            LONG v = static_cast<LONG>(value);
            bool changed = v != m->current;
            m->current = v;
            if (!initial && changed && shown(m))
                transcript_event("gauge", {Field("value", static_cast<long>(v)), Field("text", gauge_text(m))});
        }
        break;
    case MUIA_Application_Sleep:
        if (m->kind == Kind::Application && !initial) {
            int before = m->sleep;
            m->sleep = value ? m->sleep + 1 : std::max(0, m->sleep - 1);
            if ((before == 0) != (m->sleep == 0))
                transcript_event("busy", {Field("on", m->sleep > 0)});
        }
        break;
    case MUIA_Window_Open:
        if (m->kind == Kind::Window && !initial) {
            if (value && !m->open) {
                // A window opens only as a member of an application.
                if (!m->parent || m->parent->kind != Kind::Application)
                    break;
                m->open = true;
                transcript_event("window", {Field("title", text_of(m->given[MUIA_Window_Title]))});
                report_screen(m);
            } else if (!value) {
                m->open = false;
            }
        }
        break;
    default:
        break;
    }
    if (!initial)
        trigger(m, attribute, value);
}

void dispose_children(MuiObject *m)
{
    std::vector<Object *> children;
    children.swap(m->children);
    ++g_nested_dispose;
    for (Object *c : children) {
        data(c)->parent = nullptr;
        DisposeObject(c);
    }
    --g_nested_dispose;
}

// Objects handed to a new object (group children, a window's root, an application's windows).
bool owned_tag(Kind kind, Tag tag)
{
    return (tag == MUIA_Group_Child && kind == Kind::Group) || (tag == MUIA_Window_RootObject && kind == Kind::Window) ||
           (tag == MUIA_Application_Window && kind == Kind::Application);
}

MuiObject *application_of_window(MuiObject *w) { return w && w->parent && w->parent->kind == Kind::Application ? w->parent : nullptr; }

void press(MuiObject *m)
{
    apply(m, MUIA_Pressed, TRUE, false);
    apply(m, MUIA_Pressed, FALSE, false);
}

// What one user action does to the application's open window.
void perform(MuiObject *app, const Action &action)
{
    MuiObject *window = nullptr;
    for (Object *w : app->children)
        if (data(w)->open) {
            window = data(w);
            break;
        }
    if (!window)
        return;
    ScreenView v = view_of(window);
    switch (action.kind) {
    case Action::Close:
        apply(window, MUIA_Window_CloseRequest, TRUE, false);
        break;
    case Action::PressLeft:
    case Action::PressRight:
    case Action::PressBrowse: {
        if (app->sleep > 0)
            break; // a sleeping application's window takes no input
        MuiObject *target = action.kind == Action::PressLeft ? v.left : action.kind == Action::PressRight ? v.right : v.browse;
        if (target)
            press(target);
        break;
    }
    case Action::Type:
        if (app->sleep == 0 && v.path) {
            set_contents(v.path, reinterpret_cast<ULONG>(action.text.c_str()));
            trigger(v.path, MUIA_String_Contents, reinterpret_cast<ULONG>(v.path->contents.c_str()));
        }
        break;
    default:
        break; // Escape means nothing to a MUI window; asl answers belong to asl requesters.
    }
}

void wait_hook(ULONG signal_set)
{
    MuiObject *app = g_application;
    if (!app || app->signal < 0 || !(signal_set & (1UL << app->signal)))
        return;
    if (g_observer)
        g_observer();
    std::optional<Action> action = script_next();
    if (!action) {
        // The script is used up: the user closes the window.
        if (++g_waits_without_script > 100)
            die("MUI: the script is used up and the program keeps waiting for input after 100 close requests");
        action = Action{Action::Close, std::string(), std::string(), std::string("close")};
    }
    g_inputs_without_wait = 0;
    app->pending.push_back(*action);
    Signal(FindTask(nullptr), 1UL << app->signal);
}

ULONG do_new(Class *cl, Object *obj, struct opSet *msg, Kind kind)
{
    std::vector<Object *> owned;
    bool missing_child = false;
    for (const struct TagItem *t = msg->ops_AttrList; t && t->ti_Tag != TAG_DONE; ++t) {
        if (t->ti_Tag == TAG_MORE) {
            t = reinterpret_cast<const struct TagItem *>(t->ti_Data);
            if (!t)
                break;
            --t;
            continue;
        }
        if (t->ti_Tag == TAG_SKIP) {
            t += t->ti_Data;
            continue;
        }
        if (owned_tag(kind, t->ti_Tag)) {
            if (t->ti_Data)
                owned.push_back(reinterpret_cast<Object *>(t->ti_Data));
            else
                missing_child = true;
        }
    }
    for (Object *o : owned)
        if (data(o)->parent)
            die(std::string("MUI: a new ") + kind_name(kind) + " was given an object that already belongs to another one");

    bool fail = missing_child || (kind == Kind::Window && standin::failing("window"));
    Object *o = fail ? nullptr : reinterpret_cast<Object *>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
    if (!o) {
        // As MUI does, the objects given to an object that cannot be created are disposed with it, so
        // that a nested creation never leaks.
        for (Object *c : owned)
            DisposeObject(c);
        return 0;
    }
    MuiObject *m = new MuiObject;
    m->kind = kind;
    m->self = o;
    *static_cast<MuiObject **>(INST_DATA(cl, o)) = m;

    // MaxLen first, so that the contents given with it are cut to it.
    ULONG max_len = detail::tag_data(MUIA_String_MaxLen, 0, msg->ops_AttrList);
    if (kind == Kind::String && max_len)
        m->max_len = max_len;
    struct TagItem *list = msg->ops_AttrList;
    while (struct TagItem *t = detail::next_tag(&list))
        if (!owned_tag(kind, t->ti_Tag))
            apply(m, t->ti_Tag, t->ti_Data, true);
    for (Object *c : owned) {
        data(c)->parent = m;
        m->children.push_back(c);
    }
    if (kind == Kind::Application) {
        m->signal = AllocSignal(-1);
        if (m->signal < 0)
            die("MUI: no free signal for the application");
        g_application = m;
        g_waits_without_script = 0;
        g_inputs_without_wait = 0;
        set_wait_hook(wait_hook);
        transcript_event("application", {Field("title", text_of(m->given[MUIA_Application_Title]))});
    }
    return reinterpret_cast<ULONG>(o);
}

ULONG do_dispose(Class *cl, Object *o, Msg msg)
{
    MuiObject *m = data(o);
    if (m->parent)
        die(std::string("MUI: a ") + kind_name(m->kind) + " was disposed while it still belongs to a " + kind_name(m->parent->kind) +
            " (remove it first)");
    if (m->kind == Kind::Group && g_nested_dispose == 0)
        g_change_log.push_back(std::string("Dispose ") + kind_name(m->kind));
    if (m->kind == Kind::Window)
        m->open = false;
    if (m->kind == Kind::Application) {
        for (Object *w : m->children)
            data(w)->open = false;
    }
    dispose_children(m);
    if (m->kind == Kind::Application) {
        if (g_application == m) {
            g_application = nullptr;
            set_wait_hook(nullptr);
        }
        if (m->signal >= 0)
            FreeSignal(m->signal);
    }
    delete m;
    *static_cast<MuiObject **>(INST_DATA(cl, o)) = nullptr;
    return DoSuperMethodA(cl, o, msg);
}

ULONG do_get(MuiObject *m, struct opGet *msg)
{
    ULONG value = 0;
    bool known = true;
    switch (msg->opg_AttrID) {
    case MUIA_Text_Contents:
    case MUIA_String_Contents:
        if (m->kind == Kind::Text || m->kind == Kind::String)
            value = reinterpret_cast<ULONG>(m->contents.c_str());
        else
            known = false;
        break;
    case MUIA_Gauge_Current:
        value = static_cast<ULONG>(m->current);
        known = m->kind == Kind::Gauge;
        break;
    case MUIA_Gauge_Max:
        value = static_cast<ULONG>(m->max);
        known = m->kind == Kind::Gauge;
        break;
    case MUIA_Window_Open:
        value = m->open;
        known = m->kind == Kind::Window;
        break;
    case MUIA_Application_Sleep:
        value = m->sleep > 0;
        known = m->kind == Kind::Application;
        break;
    default: {
        auto it = m->given.find(msg->opg_AttrID);
        known = it != m->given.end();
        if (known)
            value = it->second;
    }
    }
    if (known && msg->opg_Storage)
        *msg->opg_Storage = value;
    return known;
}

ULONG do_member(MuiObject *m, ULONG method, Object *child)
{
    if (m->kind != Kind::Group)
        die(std::string("MUI: OM_ADDMEMBER/OM_REMMEMBER sent to a ") + kind_name(m->kind));
    if (!child)
        die("MUI: OM_ADDMEMBER/OM_REMMEMBER without an object");
    MuiObject *c = data(child);
    bool live = shown(m);
    if (live && m->change_depth == 0)
        die("MUI: the children of a group in an open window were changed outside MUIM_Group_InitChange/ExitChange");
    if (method == OM_ADDMEMBER) {
        if (c->parent)
            die(std::string("MUI: OM_ADDMEMBER of a ") + kind_name(c->kind) + " that already belongs to a group");
        c->parent = m;
        m->children.push_back(child);
        if (live)
            g_change_log.push_back(std::string("AddMember ") + kind_name(c->kind));
    } else {
        auto it = std::find(m->children.begin(), m->children.end(), child);
        if (it == m->children.end())
            die(std::string("MUI: OM_REMMEMBER of a ") + kind_name(c->kind) + " that is not a child of this group");
        m->children.erase(it);
        c->parent = nullptr;
        if (live)
            g_change_log.push_back(std::string("RemMember ") + kind_name(c->kind));
    }
    return TRUE;
}

ULONG dispatch(Class *cl, Object *o, Msg msg)
{
    Kind kind;
    if (!kind_of_class(cl, &kind))
        die("MUI: dispatcher called for a class it does not know");
    switch (msg->MethodID) {
    case OM_NEW:
        return do_new(cl, o, reinterpret_cast<struct opSet *>(msg), kind);
    case OM_DISPOSE:
        return do_dispose(cl, o, msg);
    default:
        break;
    }
    MuiObject *m = data(o);
    if (!m)
        die("MUI: method sent to a disposed object");
    switch (msg->MethodID) {
    case OM_SET:
    case OM_UPDATE: {
        struct TagItem *list = reinterpret_cast<struct opSet *>(msg)->ops_AttrList;
        while (struct TagItem *t = detail::next_tag(&list))
            apply(m, t->ti_Tag, t->ti_Data, false);
        return 0;
    }
    case OM_GET:
        return do_get(m, reinterpret_cast<struct opGet *>(msg));
    case OM_ADDMEMBER:
    case OM_REMMEMBER:
        return do_member(m, msg->MethodID, reinterpret_cast<struct opMember *>(msg)->opam_Object);
    case MUIM_Notify: {
        const ULONG *w = reinterpret_cast<const ULONG *>(msg);
        Notification n;
        n.attribute = w[1];
        n.value = w[2];
        n.target = reinterpret_cast<Object *>(w[3]);
        n.message.assign(w + 5, w + 5 + w[4]);
        if (n.message.empty())
            die("MUI: MUIM_Notify without a method");
        m->notifications.push_back(n);
        return TRUE;
    }
    case MUIM_Group_InitChange:
        if (m->kind != Kind::Group)
            return 0;
        if (shown(m))
            g_change_log.push_back("InitChange");
        ++m->change_depth;
        return TRUE;
    case MUIM_Group_ExitChange:
        if (m->kind != Kind::Group)
            return 0;
        if (m->change_depth == 0)
            die("MUI: MUIM_Group_ExitChange without MUIM_Group_InitChange");
        if (--m->change_depth == 0 && shown(m)) {
            g_change_log.push_back("ExitChange");
            report_screen(window_of(m));
        }
        return TRUE;
    case MUIM_Application_ReturnID:
        if (m->kind != Kind::Application)
            return 0;
        m->return_ids.push_back(reinterpret_cast<struct MUIP_Application_ReturnID *>(msg)->retid);
        return TRUE;
    case MUIM_Application_Input: {
        if (m->kind != Kind::Application)
            return 0;
        ULONG *signal = reinterpret_cast<struct MUIP_Application_Input *>(msg)->signal;
        if (signal)
            *signal = 1UL << m->signal;
        while (m->return_ids.empty() && !m->pending.empty()) {
            Action a = m->pending.front();
            m->pending.pop_front();
            perform(m, a);
        }
        if (!m->return_ids.empty()) {
            ULONG id = m->return_ids.front();
            m->return_ids.pop_front();
            return id;
        }
        if (++g_inputs_without_wait > 10000)
            die("MUI: MUIM_Application_Input is called again and again without waiting for its signals");
        return 0;
    }
    default:
        return 0;
    }
}

void register_classes()
{
    if (find_class(MUIC_Application))
        return;
    for (const ClassInfo &c : kClasses)
        if (!register_class(c.name, nullptr, ROOTCLASS, sizeof(MuiObject *), dispatch))
            die(std::string("MUI: cannot register ") + c.name);
}

void require_library(const char *call)
{
    detail::require(MUIMasterBase, nullptr, call, "MUIMasterBase", nullptr, MUIMASTER_NAME);
    register_classes();
}

} // namespace

Object *application() { return g_application ? g_application->self : nullptr; }

std::string class_name(Object *object)
{
    MuiObject *m = data(object);
    return m ? kind_name(m->kind) : std::string();
}

std::vector<Object *> children(Object *object)
{
    MuiObject *m = data(object);
    return m ? m->children : std::vector<Object *>();
}

bool given(Object *object, ULONG attribute, ULONG *value)
{
    MuiObject *m = data(object);
    auto it = m->given.find(attribute);
    if (it == m->given.end())
        return false;
    if (value)
        *value = it->second;
    return true;
}

std::string text_role(Object *object)
{
    MuiObject *m = data(object);
    return m->role == Role::Label ? "label" : m->role == Role::Button ? "button" : "text";
}

void set_input_observer(std::function<void()> observer) { g_observer = std::move(observer); }

const std::vector<std::string> &change_log() { return g_change_log; }
void clear_change_log() { g_change_log.clear(); }

} // namespace mui
} // namespace standin

using namespace standin::mui;

Object *MUI_NewObjectA(CONST_STRPTR classname, struct TagItem *tags)
{
    require_library("MUI_NewObjectA");
    return NewObjectA(nullptr, classname, tags);
}

void MUI_DisposeObject(Object *obj)
{
    require_library("MUI_DisposeObject");
    if (obj)
        DisposeObject(obj);
}

APTR MUI_MakeObjectA(LONG type, ULONG *params)
{
    require_library("MUI_MakeObjectA");
    const char *label = params ? reinterpret_cast<const char *>(params[0]) : nullptr;
    Object *o = nullptr;
    switch (type) {
    case MUIO_Label:
        o = MUI_NewObject(MUIC_Text, MUIA_Text_Contents, label, TAG_DONE);
        if (o)
            data(o)->role = Role::Label;
        break;
    case MUIO_Button:
        o = MUI_NewObject(MUIC_Text, MUIA_Text_Contents, label, MUIA_InputMode, MUIV_InputMode_RelVerify, TAG_DONE);
        if (o)
            data(o)->role = Role::Button;
        break;
    default:
        break;
    }
    return o;
}

LONG MUI_RequestA(APTR app, APTR win, ULONG flags, CONST_STRPTR title, CONST_STRPTR gadgets, CONST_STRPTR format,
                  APTR params)
{
    (void)win;
    (void)flags;
    require_library("MUI_RequestA");
    if (standin::failing("requester"))
        return -1;
    std::string shown_title;
    if (title)
        shown_title = title;
    else if (app)
        shown_title = text_of(data(static_cast<Object *>(app))->given[MUIA_Application_Title]);
    std::string body = standin::mui::format(format, static_cast<const ULONG *>(params), "MUI_RequestA");
    std::string raw = gadgets ? gadgets : "";
    // "*" before a gadget's text marks the default gadget; it is not shown.
    std::string button;
    for (char c : raw)
        if (c != '*')
            button += c;
    standin::transcript_event("requester", {standin::Field("title", shown_title), standin::Field("body", body),
                                            standin::Field("button", button), standin::Field("gadgets", raw)});
    // The rightmost (here the only) gadget answers 0.
    return 0;
}

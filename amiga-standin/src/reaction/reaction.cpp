// The ReAction classes of AmigaOS 4, as far as a program needs them to build a window of layout
// groups, buttons, a string gadget, a fuel gauge and images, and to show requester.class messages.
//
// What the user would see is written to the harness transcript: the window when it opens, each
// screen of groups when the window shows it, gauge levels drawn at once, the busy pointer, path
// field texts set by the program, message requesters, and the character set given to the window,
// the layout groups and the requesters. The user's actions come from the harness script: when the
// program waits for the window's signal, the next action becomes the window's input.
#include <proto/exec.h>
#include <proto/dos.h>
#include <proto/intuition.h>
#include <proto/window.h>
#include <proto/layout.h>
#include <proto/button.h>
#include <proto/string.h>
#include <proto/fuelgauge.h>
#include <proto/bitmap.h>
#include <proto/label.h>
#include <proto/glyph.h>
#include <proto/requester.h>
#include <intuition/gadgetclass.h>
#include <images/bevel.h>
#include <standin/reaction.h>
#include <standin/standin.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <unordered_map>

#include "../internal.h"
#include "reaction_internal.h"


namespace standin {
namespace reaction {

namespace {

using detail::die;

std::unordered_map<const void *, Impl *> &registry()
{
    static std::unordered_map<const void *, Impl *> map;
    return map;
}

// Changes of any group's children; a window shows a new screen when it lays out after one.
unsigned long long generation = 1;

struct Classes {
    Class *window = nullptr;
    Class *layout = nullptr;
    Class *button = nullptr;
    Class *string = nullptr;
    Class *fuelgauge = nullptr;
    Class *bitmap = nullptr;
    Class *label = nullptr;
    Class *glyph = nullptr;
    Class *requester = nullptr;
};

ULONG dispatcher(Class *cl, Object *o, Msg msg);
Classes &classes();

Kind kind_of(Class *cl)
{
    Classes &c = classes();
    if (cl == c.window) return Kind::Window;
    if (cl == c.layout) return Kind::Layout;
    if (cl == c.button) return Kind::Button;
    if (cl == c.string) return Kind::String;
    if (cl == c.fuelgauge) return Kind::FuelGauge;
    if (cl == c.bitmap) return Kind::BitMap;
    if (cl == c.label) return Kind::Label;
    if (cl == c.glyph) return Kind::Glyph;
    return Kind::Requester;
}

Class *make_class(const char *id)
{
    if (id)
        if (Class *known = find_class(id))
            return known;
    Class *cl = register_class(id, nullptr, ROOTCLASS, sizeof(Impl *), dispatcher);
    if (!cl)
        die(std::string("cannot register the class ") + (id ? id : "(private)"));
    return cl;
}

Classes &classes()
{
    static Classes c;
    static bool made = false;
    if (!made) {
        made = true;
        c.window = make_class("window.class");
        c.layout = make_class("layout.gadget");
        c.button = make_class("button.gadget");
        c.string = make_class("string.gadget");
        c.fuelgauge = make_class("fuelgauge.gadget");
        c.bitmap = make_class("bitmap.image");
        c.label = make_class("label.image");
        c.glyph = make_class("glyph.image");
        c.requester = make_class("requester.class");
    }
    return c;
}

// The public classes are there as soon as the program runs, as the ROM classes are.
const bool classes_made = (classes(), true);

std::unique_ptr<Impl> make_impl(Kind kind)
{
    switch (kind) {
    case Kind::Window: return std::make_unique<WindowImpl>();
    case Kind::Layout: return std::make_unique<LayoutImpl>();
    case Kind::String: return std::make_unique<StringImpl>();
    case Kind::FuelGauge: return std::make_unique<FuelGaugeImpl>();
    case Kind::BitMap: return std::make_unique<BitMapImpl>();
    case Kind::Label: return std::make_unique<LabelImpl>();
    case Kind::Glyph: return std::make_unique<GlyphImpl>();
    case Kind::Requester: return std::make_unique<RequesterImpl>();
    case Kind::Button: break;
    }
    return std::make_unique<Impl>(Kind::Button);
}

std::string text_of(ULONG data) { return data ? std::string(reinterpret_cast<const char *>(data)) : std::string(); }

// ---- The window that receives the user's actions -------------------------------------------------

WindowImpl *active_window = nullptr;
std::deque<std::vector<std::string>> queued_batches;

// ---- Tree walks ------------------------------------------------------------------------------------

template <typename F>
void walk(Object *object, F &&visit)
{
    Impl *impl = impl_of(object);
    if (!impl)
        return;
    visit(impl);
    if (impl->kind == Kind::Layout) {
        for (auto &child : static_cast<LayoutImpl *>(impl)->children) {
            walk(child.object, visit);
            if (child.label)
                walk(child.label, visit);
        }
    }
}

Impl *find_gadget(Object *root, Kind kind, ULONG id, bool any_id)
{
    Impl *found = nullptr;
    walk(root, [&](Impl *impl) {
        if (!found && impl->kind == kind && (any_id || impl->id == id))
            found = impl;
    });
    return found;
}

LayoutImpl::Child *child_of(LayoutImpl *layout, Object *object)
{
    for (auto &child : layout->children)
        if (child.object == object)
            return &child;
    return nullptr;
}

// ---- Attributes ------------------------------------------------------------------------------------

void gauge_drawn(FuelGaugeImpl *g) { transcript_event("gauge", {{"value", static_cast<long>(g->level)}}); }

// Applies a tag list; returns false when a group was given a child that does not exist.
bool set_attributes(Impl *impl, struct TagItem *tags, bool creating, struct GadgetInfo *ginfo)
{
    bool complete = true;
    LayoutImpl::Child *last = nullptr;
    bool gauge_changed = false;
    struct TagItem *state = tags;
    while (struct TagItem *tag = detail::next_tag(&state)) {
        const ULONG data = tag->ti_Data;
        switch (tag->ti_Tag) {
        case GA_ID: impl->id = data; continue;
        case GA_Text: impl->has_text = true; impl->text = text_of(data); continue;
        case GA_Image: impl->image = reinterpret_cast<Object *>(data); continue;
        case GA_Disabled: impl->disabled = data != 0; continue;
        case GA_RelVerify: impl->rel_verify = data != 0; continue;
        case GA_TabCycle: impl->tab_cycle = data != 0; continue;
        case GA_ReadOnly: impl->read_only = data != 0; continue;
        case GA_Width: impl->width = static_cast<LONG>(data); continue;
        default: break;
        }
        switch (impl->kind) {
        case Kind::Layout: {
            auto *l = static_cast<LayoutImpl *>(impl);
            switch (tag->ti_Tag) {
            case LAYOUT_AddChild:
            case LAYOUT_AddImage:
                if (!data) {
                    complete = false;
                    last = nullptr;
                } else {
                    l->children.push_back({reinterpret_cast<Object *>(data), tag->ti_Tag == LAYOUT_AddImage});
                    last = &l->children.back();
                    if (Impl *child = impl_of(last->object))
                        child->parent = l;
                    generation++;
                }
                break;
            case CHILD_Label:
                if (last && data) {
                    last->label = reinterpret_cast<Object *>(data);
                    if (Impl *label = impl_of(last->label))
                        label->parent = l;
                }
                break;
            case CHILD_WeightedWidth: if (last) last->weighted_width = data; break;
            case CHILD_WeightedHeight: if (last) last->weighted_height = data; break;
            case LAYOUT_Orientation: l->orientation = data; break;
            case LAYOUT_HorizAlignment: l->horiz_alignment = data; break;
            case LAYOUT_VertAlignment: l->vert_alignment = data; break;
            case LAYOUT_SpaceOuter: l->space_outer = data != 0; break;
            case LAYOUT_BevelStyle: l->bevel_style = data; break;
            case LAYOUT_Label: l->has_label = true; l->label = text_of(data); break;
            case LAYOUT_InnerSpacing: l->inner_spacing = data; break;
            case LAYOUT_LeftSpacing: l->left_spacing = data; break;
            case LAYOUT_RightSpacing: l->right_spacing = data; break;
            case LAYOUT_CharSet: l->has_charset = true; l->charset = data; break;
            default: break;
            }
            break;
        }
        case Kind::String: {
            auto *s = static_cast<StringImpl *>(impl);
            if (tag->ti_Tag == STRINGA_MaxChars) {
                s->max_chars = data;
            } else if (tag->ti_Tag == STRINGA_TextVal) {
                s->value = text_of(data);
                if (s->max_chars > 0 && s->value.size() > s->max_chars - 1)
                    s->value.resize(s->max_chars - 1);
                if (!creating)
                    transcript_event("path", {{"text", s->value}});
            }
            break;
        }
        case Kind::FuelGauge: {
            auto *g = static_cast<FuelGaugeImpl *>(impl);
            switch (tag->ti_Tag) {
            case FUELGAUGE_Min: g->min = static_cast<LONG>(data); break;
            case FUELGAUGE_Max: g->max = static_cast<LONG>(data); break;
            case FUELGAUGE_Level: g->level = static_cast<LONG>(data); gauge_changed = true; break;
            case FUELGAUGE_Orientation: g->orientation = data; break;
            case FUELGAUGE_Percent: g->percent = data != 0; break;
            case FUELGAUGE_Ticks: g->ticks = static_cast<LONG>(data); break;
            case FUELGAUGE_TickSize: g->tick_size = static_cast<LONG>(data); break;
            case FUELGAUGE_ShortTicks: g->short_ticks = data != 0; break;
            default: break;
            }
            break;
        }
        case Kind::BitMap: {
            auto *b = static_cast<BitMapImpl *>(impl);
            switch (tag->ti_Tag) {
            case BITMAP_SourceFile: b->source_file = text_of(data); break;
            case BITMAP_OffsetX: b->offset_x = static_cast<LONG>(data); break;
            case BITMAP_OffsetY: b->offset_y = static_cast<LONG>(data); break;
            case BITMAP_Screen: b->screen = reinterpret_cast<struct Screen *>(data); break;
            default: break;
            }
            break;
        }
        case Kind::Label: {
            auto *l = static_cast<LabelImpl *>(impl);
            if (tag->ti_Tag == LABEL_Text)
                l->label_text += text_of(data);
            else if (tag->ti_Tag == LABEL_Justification)
                l->justification = data;
            break;
        }
        case Kind::Glyph:
            if (tag->ti_Tag == GLYPH_Glyph)
                static_cast<GlyphImpl *>(impl)->glyph = data;
            break;
        case Kind::Requester: {
            auto *r = static_cast<RequesterImpl *>(impl);
            switch (tag->ti_Tag) {
            case REQ_Type: r->type = data; break;
            case REQ_TitleText: r->title = text_of(data); break;
            case REQ_BodyText: r->body = text_of(data); break;
            case REQ_GadgetText: r->gadgets = text_of(data); break;
            case REQ_Image: r->image_kind = data; break;
            case REQ_CharSet: r->has_charset = true; r->charset = data; break;
            default: break;
            }
            break;
        }
        case Kind::Window: {
            auto *w = static_cast<WindowImpl *>(impl);
            switch (tag->ti_Tag) {
            case WINDOW_Position: w->position = data; break;
            case WINDOW_CharSet: w->has_charset = true; w->charset = data; break;
            case WA_CloseGadget: w->close_gadget = data != 0; break;
            case WA_SizeGadget: w->size_gadget = data != 0; break;
            case WA_DepthGadget: w->depth_gadget = data != 0; break;
            case WA_DragBar: w->drag_bar = data != 0; break;
            case WA_Activate: w->activate = data != 0; break;
            case WA_Title: w->title = reinterpret_cast<STRPTR>(data); break;
            case WINDOW_Layout: w->layout = reinterpret_cast<Object *>(data); break;
            case WA_BusyPointer:
                w->busy = data != 0;
                if (w->window)
                    transcript_event("busy", {{"on", w->busy}});
                break;
            default: break;
            }
            break;
        }
        case Kind::Button:
            break;
        }
    }
    // A gadget changed inside its window redraws itself at once.
    if (gauge_changed && ginfo && !creating)
        gauge_drawn(static_cast<FuelGaugeImpl *>(impl));
    return complete;
}

bool get_attribute(Impl *impl, ULONG id, ULONG *storage)
{
    switch (id) {
    case GA_ID: *storage = impl->id; return true;
    case GA_Disabled: *storage = impl->disabled; return true;
    case GA_Text: *storage = impl->has_text ? reinterpret_cast<ULONG>(impl->text.c_str()) : 0; return true;
    default: break;
    }
    switch (impl->kind) {
    case Kind::String:
        if (id == STRINGA_TextVal) {
            *storage = reinterpret_cast<ULONG>(static_cast<StringImpl *>(impl)->value.c_str());
            return true;
        }
        if (id == STRINGA_MaxChars) {
            *storage = static_cast<StringImpl *>(impl)->max_chars;
            return true;
        }
        break;
    case Kind::FuelGauge:
        if (id == FUELGAUGE_Level) {
            *storage = static_cast<ULONG>(static_cast<FuelGaugeImpl *>(impl)->level);
            return true;
        }
        break;
    case Kind::Requester:
        if (id == REQ_ReturnCode) {
            *storage = static_cast<RequesterImpl *>(impl)->return_code;
            return true;
        }
        break;
    case Kind::Window: {
        auto *w = static_cast<WindowImpl *>(impl);
        switch (id) {
        case WINDOW_SigMask: *storage = (w->window && w->signal >= 0) ? (1UL << w->signal) : 0; return true;
        case WINDOW_Window: *storage = reinterpret_cast<ULONG>(w->window); return true;
        case WINDOW_Layout: *storage = reinterpret_cast<ULONG>(w->layout); return true;
        case WA_BusyPointer: *storage = w->busy; return true;
        default: break;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

// A picture file as datatypes.library would accept it: here, a PNG file.
bool picture_readable(const std::string &name)
{
    BPTR file = Open(name.c_str(), MODE_OLDFILE);
    if (!file)
        return false;
    unsigned char head[8] = {0};
    const LONG got = Read(file, head, sizeof head);
    Close(file);
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return got == 8 && std::memcmp(head, png, 8) == 0;
}

// ---- What the window shows ---------------------------------------------------------------------------

void report_charsets(Object *root)
{
    walk(root, [](Impl *impl) {
        if (impl->kind != Kind::Layout)
            return;
        auto *l = static_cast<LayoutImpl *>(impl);
        if (l->has_charset && !l->charset_reported) {
            l->charset_reported = true;
            transcript_event("charset", {{"object", "layout"}, {"label", l->label}, {"value", l->charset}});
        }
    });
}

void report_screen(WindowImpl *w)
{
    auto *root = static_cast<LayoutImpl *>(impl_of(w->layout));
    if (!root || root->children.size() < 2)
        return;
    Impl *logo = find_gadget(w->layout, Kind::Button, 0, false);
    Impl *left = find_gadget(w->layout, Kind::Button, 1, false);
    Impl *right = find_gadget(w->layout, Kind::Button, 4, false);
    auto *gauge = static_cast<FuelGaugeImpl *>(find_gadget(w->layout, Kind::FuelGauge, 0, true));
    auto *path = static_cast<StringImpl *>(find_gadget(w->layout, Kind::String, 0, true));

    // The frame and text of the first framed group below the logo; the label beside the path field.
    LayoutImpl *frame = nullptr;
    walk(w->layout, [&](Impl *impl) {
        if (!frame && impl != root && impl->kind == Kind::Layout && static_cast<LayoutImpl *>(impl)->has_label)
            frame = static_cast<LayoutImpl *>(impl);
    });
    std::string text;
    if (frame)
        for (auto &child : frame->children)
            if (child.is_image)
                if (Impl *img = impl_of(child.object); img && img->kind == Kind::Label)
                    text += static_cast<LabelImpl *>(img)->label_text;
    const char *path_label = nullptr;
    std::string path_label_text;
    if (path && path->parent)
        if (auto *c = child_of(path->parent, path->self); c && c->label)
            if (Impl *l = impl_of(c->label); l && l->kind == Kind::Label) {
                path_label_text = static_cast<LabelImpl *>(l)->label_text;
                path_label = path_label_text.c_str();
            }

    transcript_event("screen", {
        {"number", path ? 1 : 2},
        {"frame", frame ? frame->label.c_str() : nullptr},
        {"text", frame ? text.c_str() : nullptr},
        {"label", path_label},
        {"left", left ? left->text.c_str() : nullptr},
        {"right", right ? right->text.c_str() : nullptr},
        {"left_enabled", left ? !left->disabled : false},
        {"gauge", gauge ? static_cast<long>(gauge->level) : 0L},
        {"path", path ? path->value.c_str() : nullptr},
        {"logo", logo ? logo->image != nullptr : false},
        {"groups", static_cast<long>(root->children.size() - 1)},
    });
}

// The window lays its contents out anew and draws them.
void render(WindowImpl *w)
{
    if (!w->window)
        return;
    if (w->shown_generation != generation) {
        w->shown_generation = generation;
        report_screen(w);
    }
    report_charsets(w->layout);
}

WindowImpl *window_showing(struct Window *window)
{
    for (auto &entry : registry())
        if (entry.second->kind == Kind::Window && static_cast<WindowImpl *>(entry.second)->window == window)
            return static_cast<WindowImpl *>(entry.second);
    return nullptr;
}

// ---- Input -------------------------------------------------------------------------------------------

void press(WindowImpl *w, ULONG id)
{
    Impl *button = find_gadget(w->layout, Kind::Button, id, false);
    // A disabled button cannot be pressed; a button without GA_RelVerify reports nothing.
    if (button && !button->disabled && button->rel_verify)
        w->input.push_back({WMHI_GADGETUP | id, 0});
}

void apply_action(WindowImpl *w, const Action &action)
{
    switch (action.kind) {
    case Action::Type: {
        auto *s = static_cast<StringImpl *>(find_gadget(w->layout, Kind::String, 0, true));
        if (!s || s->disabled)
            break;
        s->value = action.text;
        if (s->max_chars > 0 && s->value.size() > s->max_chars - 1)
            s->value.resize(s->max_chars - 1);
        // Leaving the field with Return or Tab reports it.
        if (s->rel_verify)
            w->input.push_back({WMHI_GADGETUP | s->id, 0});
        break;
    }
    case Action::PressLeft: press(w, 1); break;
    case Action::PressRight: press(w, 4); break;
    case Action::PressBrowse: press(w, 6); break;
    case Action::Close:
        if (w->close_gadget)
            w->input.push_back({WMHI_CLOSEWINDOW, 0});
        break;
    case Action::Escape:
        // Pressed, then released.
        w->input.push_back({WMHI_RAWKEY, 0x45});
        w->input.push_back({WMHI_RAWKEY, 0xC5});
        break;
    case Action::Asl:
    case Action::AslCancel:
        // An answer for a file requester that is not open: nothing happens in the window.
        break;
    }
}

void next_batch(WindowImpl *w)
{
    if (!queued_batches.empty()) {
        std::vector<std::string> batch = std::move(queued_batches.front());
        queued_batches.pop_front();
        for (const std::string &line : batch) {
            if (line.compare(0, 7, "rawkey ") == 0) {
                w->input.push_back({WMHI_RAWKEY, static_cast<UWORD>(std::strtoul(line.c_str() + 7, nullptr, 16))});
                continue;
            }
            std::string error;
            std::optional<Action> action = parse_action(line, &error);
            if (!action)
                die("queue_window_batch: " + error);
            apply_action(w, *action);
        }
        return;
    }
    std::optional<Action> action = script_next();
    if (action) {
        w->closes_unanswered = 0;
        apply_action(w, *action);
        return;
    }
    // The user is gone: the window is asked to close, again and again if need be.
    if (++w->closes_unanswered > 100)
        die("the script is used up and the program keeps its window open after 100 close requests");
    w->input.push_back({WMHI_CLOSEWINDOW, 0});
}

void wait_for_user(ULONG signals)
{
    WindowImpl *w = active_window;
    if (!w || w->signal < 0 || !(signals & (1UL << w->signal)))
        return;
    next_batch(w);
    Signal(FindTask(nullptr), 1UL << w->signal);
}

// ---- Window life -------------------------------------------------------------------------------------

struct Window *open_window(WindowImpl *w)
{
    if (w->window)
        return w->window;
    if (failing("window"))
        return nullptr;
    const BYTE signal = AllocSignal(-1);
    if (signal < 0)
        return nullptr;
    w->signal = signal;
    w->window = static_cast<struct Window *>(std::calloc(1, sizeof(struct Window)));
    w->window->Title = reinterpret_cast<UBYTE *>(w->title);
    w->window->Flags = 0;
    transcript_event("window", {{"title", w->title}});
    if (w->has_charset)
        transcript_event("charset", {{"object", "window"}, {"value", w->charset}});
    active_window = w;
    set_wait_hook(wait_for_user);
    w->shown_generation = 0;
    render(w);
    return w->window;
}

void close_window(WindowImpl *w)
{
    if (!w->window)
        return;
    std::free(w->window);
    w->window = nullptr;
    FreeSignal(w->signal);
    w->signal = -1;
    w->input.clear();
    if (active_window == w) {
        active_window = nullptr;
        set_wait_hook(nullptr);
    }
}

// ---- Dispatcher --------------------------------------------------------------------------------------

void dispose_members(Impl *impl)
{
    if (impl->kind == Kind::Layout) {
        auto *l = static_cast<LayoutImpl *>(impl);
        std::vector<LayoutImpl::Child> children = std::move(l->children);
        l->children.clear();
        for (auto &child : children) {
            DisposeObject(child.object);
            if (child.label)
                DisposeObject(child.label);
        }
    } else if (impl->kind == Kind::Window) {
        auto *w = static_cast<WindowImpl *>(impl);
        close_window(w);
        if (w->layout) {
            DisposeObject(w->layout);
            w->layout = nullptr;
        }
    }
}

ULONG dispatcher(Class *cl, Object *o, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        const Kind kind = kind_of(cl);
        if ((kind == Kind::Requester && failing("requester")) || (kind == Kind::Window && failing("window-object")))
            return 0;
        Object *object = reinterpret_cast<Object *>(DoSuperMethodA(cl, o, msg));
        if (!object)
            return 0;
        std::unique_ptr<Impl> made = make_impl(kind);
        Impl *impl = made.release();
        impl->self = object;
        *static_cast<Impl **>(INST_DATA(cl, object)) = impl;
        registry()[object] = impl;
        bool ok = set_attributes(impl, reinterpret_cast<struct opSet *>(msg)->ops_AttrList, true, nullptr);
        if (kind == Kind::Layout && failing("layout"))
            ok = false;
        if (kind == Kind::BitMap) {
            auto *b = static_cast<BitMapImpl *>(impl);
            ok = ok && !b->source_file.empty() && picture_readable(b->source_file);
        }
        if (!ok) {
            // A group that cannot be made disposes the members it was given.
            CoerceMethod(cl, object, OM_DISPOSE);
            return 0;
        }
        return reinterpret_cast<ULONG>(object);
    }
    case OM_DISPOSE: {
        if (Impl *impl = impl_of(o)) {
            dispose_members(impl);
            registry().erase(o);
            delete impl;
        }
        return DoSuperMethodA(cl, o, msg);
    }
    case OM_SET:
    case OM_UPDATE: {
        Impl *impl = impl_of(o);
        auto *ops = reinterpret_cast<struct opSet *>(msg);
        if (impl)
            set_attributes(impl, ops->ops_AttrList, false, ops->ops_GInfo);
        DoSuperMethodA(cl, o, msg);
        return 1;
    }
    case OM_GET: {
        Impl *impl = impl_of(o);
        auto *opg = reinterpret_cast<struct opGet *>(msg);
        if (impl && get_attribute(impl, opg->opg_AttrID, opg->opg_Storage))
            return 1;
        return DoSuperMethodA(cl, o, msg);
    }
    default:
        break;
    }

    Impl *impl = impl_of(o);
    if (!impl)
        return DoSuperMethodA(cl, o, msg);
    switch (impl->kind) {
    case Kind::Window: {
        auto *w = static_cast<WindowImpl *>(impl);
        switch (msg->MethodID) {
        case WM_OPEN: return reinterpret_cast<ULONG>(open_window(w));
        case WM_CLOSE: close_window(w); return 1;
        case WM_RETHINK: render(w); return 1;
        case WM_HANDLEINPUT: {
            auto *wmh = reinterpret_cast<struct wmHandle *>(msg);
            if (w->input.empty())
                return WMHI_LASTMSG;
            const auto next = w->input.front();
            w->input.pop_front();
            if (wmh->wmh_Code)
                *wmh->wmh_Code = next.second;
            return next.first;
        }
        default: break;
        }
        break;
    }
    case Kind::Layout: {
        auto *l = static_cast<LayoutImpl *>(impl);
        switch (msg->MethodID) {
        case LM_ADDCHILD:
        case LM_ADDIMAGE: {
            auto *add = reinterpret_cast<struct lmAddChild *>(msg);
            if (!add->lm_Object)
                return 0;
            l->children.push_back({add->lm_Object, msg->MethodID == LM_ADDIMAGE});
            if (Impl *child = impl_of(add->lm_Object))
                child->parent = l;
            LayoutImpl::Child &child = l->children.back();
            struct TagItem *state = add->lm_ObjectAttrs;
            while (struct TagItem *tag = detail::next_tag(&state)) {
                if (tag->ti_Tag == CHILD_Label) child.label = reinterpret_cast<Object *>(tag->ti_Data);
                if (tag->ti_Tag == CHILD_WeightedWidth) child.weighted_width = tag->ti_Data;
                if (tag->ti_Tag == CHILD_WeightedHeight) child.weighted_height = tag->ti_Data;
            }
            generation++;
            return 1;
        }
        case LM_REMOVECHILD: {
            auto *rem = reinterpret_cast<struct lmRemoveChild *>(msg);
            for (auto it = l->children.begin(); it != l->children.end(); ++it) {
                if (it->object != rem->lm_Object)
                    continue;
                LayoutImpl::Child child = *it;
                l->children.erase(it);
                generation++;
                DisposeObject(child.object);
                if (child.label)
                    DisposeObject(child.label);
                return 1;
            }
            return 0;
        }
        default: break;
        }
        break;
    }
    case Kind::Requester:
        if (msg->MethodID == RM_OPENREQ) {
            auto *r = static_cast<RequesterImpl *>(impl);
            auto *orq = reinterpret_cast<struct orRequest *>(msg);
            if (orq->or_Attrs)
                set_attributes(r, orq->or_Attrs, false, nullptr);
            transcript_event("requester", {{"title", r->title}, {"body", r->body}, {"button", r->gadgets}});
            if (r->has_charset)
                transcript_event("charset", {{"object", "requester"}, {"value", r->charset}});
            // Answered at once with its only button.
            r->return_code = 0;
            return r->return_code;
        }
        break;
    default:
        break;
    }
    return DoSuperMethodA(cl, o, msg);
}

void require_class(const struct Library *base, const void *iface, const char *call, const char *base_name,
                   const char *iface_name, const char *library)
{
    detail::require(base, iface, call, base_name, iface_name, library);
}

} // namespace

Impl *impl_of(const void *object)
{
    if (!object)
        return nullptr;
    auto it = registry().find(object);
    return it == registry().end() ? nullptr : it->second;
}

} // namespace reaction

void queue_window_batch(const std::vector<std::string> &actions) { reaction::queued_batches.push_back(actions); }

} // namespace standin

using namespace standin::reaction;

Class *WINDOW_GetClass(void)
{
    require_class(WindowBase, IWindow, "WINDOW_GetClass", "WindowBase", "IWindow", "window.class");
    return classes().window;
}

Class *LAYOUT_GetClass(void)
{
    require_class(LayoutBase, ILayout, "LAYOUT_GetClass", "LayoutBase", "ILayout", "gadgets/layout.gadget");
    return classes().layout;
}

Class *BUTTON_GetClass(void)
{
    require_class(ButtonBase, IButton, "BUTTON_GetClass", "ButtonBase", "IButton", "gadgets/button.gadget");
    return classes().button;
}

Class *STRING_GetClass(void)
{
    require_class(StringBase, IString, "STRING_GetClass", "StringBase", "IString", "gadgets/string.gadget");
    return classes().string;
}

Class *FUELGAUGE_GetClass(void)
{
    require_class(FuelGaugeBase, IFuelGauge, "FUELGAUGE_GetClass", "FuelGaugeBase", "IFuelGauge",
                  "gadgets/fuelgauge.gadget");
    return classes().fuelgauge;
}

Class *BITMAP_GetClass(void)
{
    require_class(BitMapBase, IBitMap, "BITMAP_GetClass", "BitMapBase", "IBitMap", "images/bitmap.image");
    return classes().bitmap;
}

Class *LABEL_GetClass(void)
{
    require_class(LabelBase, ILabel, "LABEL_GetClass", "LabelBase", "ILabel", "images/label.image");
    return classes().label;
}

Class *GLYPH_GetClass(void)
{
    require_class(GlyphBase, IGlyph, "GLYPH_GetClass", "GlyphBase", "IGlyph", "images/glyph.image");
    return classes().glyph;
}

Class *REQUESTER_GetClass(void)
{
    require_class(RequesterBase, IRequester, "REQUESTER_GetClass", "RequesterBase", "IRequester", "requester.class");
    return classes().requester;
}

ULONG RethinkLayout(struct Gadget *gadget, struct Window *window, struct Requester *, LONG refresh)
{
    require_class(LayoutBase, ILayout, "RethinkLayout", "LayoutBase", "ILayout", "gadgets/layout.gadget");
    if (!gadget || !impl_of(gadget))
        return 0;
    if (refresh)
        if (WindowImpl *w = window_showing(window))
            render(w);
    return 1;
}

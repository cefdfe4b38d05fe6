// Shared internals of the ReAction classes of the stand-in: the C++ side of every object, kept in
// the object's instance data, and the registry that maps an object back to it.
#ifndef STANDIN_REACTION_INTERNAL_H
#define STANDIN_REACTION_INTERNAL_H

#include <proto/intuition.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace standin {
namespace reaction {

enum class Kind { Window, Layout, Button, String, FuelGauge, BitMap, Label, Glyph, Requester };

struct Impl {
    explicit Impl(Kind k) : kind(k) {}
    virtual ~Impl() = default;

    Kind kind;
    Object *self = nullptr;
    struct LayoutImpl *parent = nullptr; // the group that holds it

    // gadgetclass attributes
    ULONG id = 0;
    bool has_text = false;
    std::string text;
    Object *image = nullptr; // face; not disposed with the gadget
    bool disabled = false;
    bool rel_verify = false;
    bool tab_cycle = false;
    bool read_only = false;
    LONG width = 0;
};

struct LayoutImpl : Impl {
    LayoutImpl() : Impl(Kind::Layout) {}
    struct Child {
        Object *object;
        bool is_image;
        Object *label = nullptr; // CHILD_Label, owned by the group
        ULONG weighted_width = 100;
        ULONG weighted_height = 100;
    };
    std::vector<Child> children;
    ULONG orientation = 0;
    ULONG horiz_alignment = 0;
    ULONG vert_alignment = 0;
    bool space_outer = false;
    ULONG bevel_style = 4; // BVS_NONE
    bool has_label = false;
    std::string label;
    ULONG inner_spacing = 0;
    ULONG left_spacing = 0;
    ULONG right_spacing = 0;
    bool has_charset = false;
    ULONG charset = 0;
    bool charset_reported = false;
};

struct StringImpl : Impl {
    StringImpl() : Impl(Kind::String) {}
    std::string value;
    ULONG max_chars = 128;
};

struct FuelGaugeImpl : Impl {
    FuelGaugeImpl() : Impl(Kind::FuelGauge) {}
    LONG min = 0;
    LONG max = 100;
    LONG level = 0;
    ULONG orientation = 0;
    bool percent = false;
    LONG ticks = 0;
    LONG tick_size = 0;
    bool short_ticks = false;
};

struct BitMapImpl : Impl {
    BitMapImpl() : Impl(Kind::BitMap) {}
    std::string source_file;
    LONG offset_x = 0;
    LONG offset_y = 0;
    struct Screen *screen = nullptr;
};

struct LabelImpl : Impl {
    LabelImpl() : Impl(Kind::Label) {}
    std::string label_text;
    ULONG justification = 0;
};

struct GlyphImpl : Impl {
    GlyphImpl() : Impl(Kind::Glyph) {}
    ULONG glyph = 0;
};

struct RequesterImpl : Impl {
    RequesterImpl() : Impl(Kind::Requester) {}
    ULONG type = 0;
    std::string title;
    std::string body;
    std::string gadgets;
    ULONG image_kind = 0;
    bool has_charset = false;
    ULONG charset = 0;
    ULONG return_code = 0;
};

struct WindowImpl : Impl {
    WindowImpl() : Impl(Kind::Window) {}
    ULONG position = 0;
    bool has_charset = false;
    ULONG charset = 0;
    bool close_gadget = false;
    bool size_gadget = false;
    bool depth_gadget = false;
    bool drag_bar = false;
    bool activate = false;
    STRPTR title = nullptr; // the program's buffer, as Intuition keeps it
    Object *layout = nullptr;
    bool busy = false;
    struct Window *window = nullptr;
    BYTE signal = -1;
    std::deque<std::pair<ULONG, UWORD>> input; // WM_HANDLEINPUT results waiting, with their codes
    unsigned long long shown_generation = 0;
    int closes_unanswered = 0;
};

Impl *impl_of(const void *object);

} // namespace reaction
} // namespace standin

#endif

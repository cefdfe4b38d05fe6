// intuition.library: the BOOPSI core (rootclass, class registry, objects and methods) and the public
// screen "Workbench".
#include <proto/intuition.h>
#include <proto/exec.h>
#include <standin/standin.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "internal.h"

using namespace standin;
using namespace standin::detail;

namespace {

struct ClassRec {
    Class cl;
    std::string id;
    standin::Dispatcher dispatcher;
};

std::vector<std::unique_ptr<ClassRec>> &classes()
{
    static std::vector<std::unique_ptr<ClassRec>> list;
    return list;
}

std::unordered_set<const void *> &objects()
{
    static std::unordered_set<const void *> set;
    return set;
}

// Instance data is kept aligned for any type, as is the object itself.
constexpr std::size_t kAlign = alignof(std::max_align_t);
constexpr std::size_t round_up(std::size_t n) { return (n + kAlign - 1) / kAlign * kAlign; }
constexpr std::size_t kHeader = round_up(sizeof(struct _Object));

ULONG trampoline(struct Hook *hook, APTR object, APTR message)
{
    Class *cl = reinterpret_cast<Class *>(hook);
    auto d = reinterpret_cast<standin::Dispatcher>(hook->h_SubEntry);
    return d(cl, static_cast<Object *>(object), static_cast<Msg>(message));
}

ULONG dispatch(Class *cl, Object *o, Msg msg) { return cl->cl_Dispatcher.h_Entry(&cl->cl_Dispatcher, o, msg); }

ULONG root_dispatcher(Class *, Object *o, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        // The object handed to OM_NEW is the class the new object belongs to.
        Class *true_class = reinterpret_cast<Class *>(o);
        const std::size_t size = kHeader + round_up(true_class->cl_InstOffset + true_class->cl_InstSize);
        unsigned char *block = static_cast<unsigned char *>(std::calloc(1, size));
        if (!block)
            return 0;
        Object *obj = reinterpret_cast<Object *>(block + kHeader);
        _OBJECT(obj)->o_Class = true_class;
        true_class->cl_ObjectCount++;
        objects().insert(obj);
        return reinterpret_cast<ULONG>(obj);
    }
    case OM_DISPOSE: {
        OCLASS(o)->cl_ObjectCount--;
        objects().erase(o);
        std::free(reinterpret_cast<unsigned char *>(o) - kHeader);
        return 0;
    }
    default:
        return 0;
    }
}

Class *make_class(const char *id, Class *super, ULONG inst_size, standin::Dispatcher d)
{
    auto rec = std::make_unique<ClassRec>();
    std::memset(&rec->cl, 0, sizeof(rec->cl));
    rec->dispatcher = d;
    rec->cl.cl_Dispatcher.h_Entry = trampoline;
    rec->cl.cl_Dispatcher.h_SubEntry = reinterpret_cast<HOOKFUNC>(d);
    rec->cl.cl_Super = super;
    if (id) {
        rec->id = id;
        rec->cl.cl_ID = rec->id.c_str();
        rec->cl.cl_Flags = CLF_INLIST;
    }
    const std::size_t offset = super ? round_up(super->cl_InstOffset + super->cl_InstSize) : 0;
    if (offset + inst_size > 0xFFFF)
        die(std::string("instance data of class ") + (id ? id : "(private)") + " is too large");
    rec->cl.cl_InstOffset = static_cast<UWORD>(offset);
    rec->cl.cl_InstSize = static_cast<UWORD>(inst_size);
    if (super)
        super->cl_SubclassCount++;
    classes().push_back(std::move(rec));
    return &classes().back()->cl;
}

Class *root_class()
{
    static Class *root = make_class(ROOTCLASS, nullptr, 0, root_dispatcher);
    return root;
}

void check_object(const void *o, const char *call)
{
    if (!objects().count(o))
        die(std::string(call) + "() on an object that does not exist (disposed already?)");
}

struct Screen workbench = {nullptr, nullptr, 0, 0, 1024, 768, 0, 0, 0,
                           reinterpret_cast<UBYTE *>(const_cast<char *>("Workbench Screen")),
                           reinterpret_cast<UBYTE *>(const_cast<char *>("Workbench Screen"))};
int screen_locks = 0;

} // namespace

namespace standin {

Class *find_class(const char *id)
{
    root_class();
    if (!id)
        return nullptr;
    for (auto &rec : classes())
        if (rec->cl.cl_ID && rec->id == id)
            return &rec->cl;
    return nullptr;
}

Class *register_class(const char *id, Class *super, const char *super_id, ULONG inst_size, Dispatcher dispatcher)
{
    if (!super)
        super = find_class(super_id ? super_id : ROOTCLASS);
    if (!super || !dispatcher || (id && find_class(id)))
        return nullptr;
    return make_class(id, super, inst_size, dispatcher);
}

int live_objects() { return static_cast<int>(objects().size()); }

int pubscreen_locks() { return screen_locks; }

namespace detail {
void reset_intuition() { screen_locks = 0; }
} // namespace detail

} // namespace standin

#define NEED_INTUITION(call) require(IntuitionBase, IIntuition, call, "IntuitionBase", "IIntuition", "intuition.library")

Object *NewObjectA(Class *classPtr, ClassID classID, const struct TagItem *tagList)
{
    NEED_INTUITION("NewObject");
    Class *cl = classPtr ? classPtr : find_class(classID);
    if (!cl)
        return nullptr;
    struct opSet msg = {OM_NEW, const_cast<struct TagItem *>(tagList), nullptr};
    return reinterpret_cast<Object *>(dispatch(cl, reinterpret_cast<Object *>(cl), reinterpret_cast<Msg>(&msg)));
}

void DisposeObject(APTR object)
{
    NEED_INTUITION("DisposeObject");
    if (!object)
        return;
    check_object(object, "DisposeObject");
    ULONG method = OM_DISPOSE;
    Object *o = static_cast<Object *>(object);
    dispatch(OCLASS(o), o, reinterpret_cast<Msg>(&method));
}

ULONG SetAttrsA(APTR object, const struct TagItem *tagList)
{
    NEED_INTUITION("SetAttrs");
    if (!object)
        return 0;
    check_object(object, "SetAttrs");
    struct opSet msg = {OM_SET, const_cast<struct TagItem *>(tagList), nullptr};
    Object *o = static_cast<Object *>(object);
    return dispatch(OCLASS(o), o, reinterpret_cast<Msg>(&msg));
}

ULONG SetGadgetAttrsA(struct Gadget *gadget, struct Window *window, struct Requester *requester,
                      const struct TagItem *tagList)
{
    NEED_INTUITION("SetGadgetAttrs");
    if (!gadget)
        return 0;
    check_object(gadget, "SetGadgetAttrs");
    // A gadget changed inside a window learns about the window, so it can redraw itself at once.
    struct GadgetInfo info;
    std::memset(&info, 0, sizeof(info));
    info.gi_Window = window;
    info.gi_Requester = requester;
    info.gi_Screen = window ? window->WScreen : nullptr;
    struct opSet msg = {OM_SET, const_cast<struct TagItem *>(tagList), window ? &info : nullptr};
    Object *o = reinterpret_cast<Object *>(gadget);
    return dispatch(OCLASS(o), o, reinterpret_cast<Msg>(&msg));
}

ULONG GetAttr(ULONG attrID, APTR object, ULONG *storagePtr)
{
    NEED_INTUITION("GetAttr");
    if (!object)
        return 0;
    check_object(object, "GetAttr");
    struct opGet msg = {OM_GET, attrID, storagePtr};
    Object *o = static_cast<Object *>(object);
    return dispatch(OCLASS(o), o, reinterpret_cast<Msg>(&msg));
}

ULONG DoMethodA(Object *object, Msg msg)
{
    if (!object)
        return 0;
    check_object(object, "DoMethod");
    return dispatch(OCLASS(object), object, msg);
}

ULONG IDoMethodA(Object *object, Msg msg)
{
    NEED_INTUITION("IDoMethod");
    if (!object)
        return 0;
    check_object(object, "IDoMethod");
    return dispatch(OCLASS(object), object, msg);
}

ULONG DoSuperMethodA(Class *cl, Object *object, Msg msg)
{
    if (!cl || !object || !cl->cl_Super)
        return 0;
    return dispatch(cl->cl_Super, object, msg);
}

ULONG CoerceMethodA(Class *cl, Object *object, Msg msg)
{
    if (!cl || !object)
        return 0;
    return dispatch(cl, object, msg);
}

struct Screen *LockPubScreen(CONST_STRPTR name)
{
    NEED_INTUITION("LockPubScreen");
    if (failing("screen"))
        return nullptr;
    if (name && std::strcmp(name, "Workbench") != 0)
        return nullptr;
    screen_locks++;
    return &workbench;
}

void UnlockPubScreen(CONST_STRPTR name, struct Screen *screen)
{
    NEED_INTUITION("UnlockPubScreen");
    if (!screen && !name)
        return;
    if (screen && screen != &workbench)
        die("UnlockPubScreen() of a screen that is not a public screen");
    if (screen_locks == 0)
        die("UnlockPubScreen() without a matching LockPubScreen()");
    screen_locks--;
}

// The BOOPSI core: classes with instance data, subclasses, objects found by public name, attributes
// through tag lists that mix integers and pointers, methods and members.
#include <proto/exec.h>
#include <proto/intuition.h>
#include <proto/utility.h>

#include <cstring>
#include <vector>

#include "standin_fixture.h"

namespace {

const ULONG kLabel = TAG_USER + 1;  // a text (pointer)
const ULONG kLevel = TAG_USER + 2;  // a number, may be negative
const ULONG kExtra = TAG_USER + 3;  // a number of the subclass
const ULONG kShout = 0x4711;        // a method with two arguments

struct Base {
    const char *label;
    LONG level;
    std::vector<Object *> *members;
};

struct Derived {
    ULONG extra;
};

ULONG base_set(Class *cl, Object *o, struct opSet *msg)
{
    Base *b = static_cast<Base *>(INST_DATA(cl, o));
    ULONG n = 0;
    for (const struct TagItem *t = msg->ops_AttrList; t && t->ti_Tag != TAG_DONE; ++t) {
        if (t->ti_Tag == kLabel)
            b->label = reinterpret_cast<const char *>(t->ti_Data), n++;
        if (t->ti_Tag == kLevel)
            b->level = static_cast<LONG>(t->ti_Data), n++;
    }
    return n;
}

ULONG base_dispatcher(Class *cl, Object *o, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, o, msg));
        if (obj) {
            static_cast<Base *>(INST_DATA(cl, obj))->members = new std::vector<Object *>;
            base_set(cl, obj, reinterpret_cast<struct opSet *>(msg));
        }
        return reinterpret_cast<ULONG>(obj);
    }
    case OM_SET:
        return base_set(cl, o, reinterpret_cast<struct opSet *>(msg));
    case OM_GET: {
        struct opGet *g = reinterpret_cast<struct opGet *>(msg);
        Base *b = static_cast<Base *>(INST_DATA(cl, o));
        if (g->opg_AttrID == kLabel)
            return *g->opg_Storage = reinterpret_cast<ULONG>(b->label), TRUE;
        if (g->opg_AttrID == kLevel)
            return *g->opg_Storage = static_cast<ULONG>(b->level), TRUE;
        return DoSuperMethodA(cl, o, msg);
    }
    case OM_ADDMEMBER:
        static_cast<Base *>(INST_DATA(cl, o))->members->push_back(reinterpret_cast<struct opMember *>(msg)->opam_Object);
        return TRUE;
    case OM_DISPOSE: {
        Base *b = static_cast<Base *>(INST_DATA(cl, o));
        for (Object *m : *b->members)
            DisposeObject(m);
        delete b->members;
        return DoSuperMethodA(cl, o, msg);
    }
    case kShout: {
        const ULONG *words = reinterpret_cast<const ULONG *>(msg);
        return words[1] + static_cast<ULONG>(std::strlen(reinterpret_cast<const char *>(words[2])));
    }
    default:
        return DoSuperMethodA(cl, o, msg);
    }
}

ULONG derived_dispatcher(Class *cl, Object *o, Msg msg)
{
    if (msg->MethodID == OM_NEW) {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, o, msg));
        if (obj)
            static_cast<Derived *>(INST_DATA(cl, obj))->extra =
                GetTagData(kExtra, 7, reinterpret_cast<struct opSet *>(msg)->ops_AttrList);
        return reinterpret_cast<ULONG>(obj);
    }
    if (msg->MethodID == OM_GET && reinterpret_cast<struct opGet *>(msg)->opg_AttrID == kExtra) {
        *reinterpret_cast<struct opGet *>(msg)->opg_Storage = static_cast<Derived *>(INST_DATA(cl, o))->extra;
        return TRUE;
    }
    return DoSuperMethodA(cl, o, msg);
}

class Boopsi : public Standin {
protected:
    static Class *base;
    static Class *derived;

    void SetUp() override
    {
        Standin::SetUp();
        IntuitionBase = OpenLibrary("intuition.library", 0);
        UtilityBase = OpenLibrary("utility.library", 0);
        if (!base) {
            base = standin::register_class("test.base", nullptr, nullptr, sizeof(Base), base_dispatcher);
            derived = standin::register_class(nullptr, base, nullptr, sizeof(Derived), derived_dispatcher);
        }
    }
};
Class *Boopsi::base = nullptr;
Class *Boopsi::derived = nullptr;

TEST_F(Boopsi, ClassesAreFoundByNameAndKeepTheirInstanceData)
{
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(standin::register_class("test.base", nullptr, nullptr, 4, base_dispatcher), nullptr); // name taken
    EXPECT_EQ(standin::register_class("x", nullptr, "no.such.class", 4, base_dispatcher), nullptr);
    EXPECT_EQ(base->cl_Super, standin::find_class(ROOTCLASS));
    EXPECT_GE(derived->cl_InstOffset, base->cl_InstOffset + sizeof(Base));
    const int before = standin::live_objects();

    const char *text = "Quiz";
    Object *o = NewObject(nullptr, "test.base", kLabel, text, kLevel, -1, TAG_DONE);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(OCLASS(o), base);
    ULONG value = 0;
    ASSERT_TRUE(GetAttr(kLabel, o, &value));
    EXPECT_EQ(reinterpret_cast<const char *>(value), text); // a pointer survives the tag list
    ASSERT_TRUE(GetAttr(kLevel, o, &value));
    EXPECT_EQ(static_cast<LONG>(value), -1); // and so does a negative number
    EXPECT_EQ(SetAttrs(o, kLevel, 100, TAG_DONE), 1u);
    EXPECT_EQ(SetGadgetAttrs(reinterpret_cast<struct Gadget *>(o), nullptr, nullptr, kLevel, 5, TAG_DONE), 1u);
    GetAttr(kLevel, o, &value);
    EXPECT_EQ(value, 5u);
    EXPECT_FALSE(GetAttr(TAG_USER + 99, o, &value)); // rootclass knows no attribute
    EXPECT_EQ(DoMethod(o, kShout, 10, "abc"), 13u);
    EXPECT_EQ(IDoMethod(o, kShout, 1, ""), 1u);

    Object *d = NewObject(derived, nullptr, kLabel, "sub", kExtra, 42, TAG_DONE);
    ASSERT_NE(d, nullptr);
    GetAttr(kExtra, d, &value);
    EXPECT_EQ(value, 42u);
    GetAttr(kLabel, d, &value);
    EXPECT_STREQ(reinterpret_cast<const char *>(value), "sub");
    EXPECT_EQ(DoMethod(o, OM_ADDMEMBER, d), static_cast<ULONG>(TRUE));
    EXPECT_EQ(standin::live_objects(), before + 2);
    DisposeObject(o); // disposes its member too
    EXPECT_EQ(standin::live_objects(), before);
    EXPECT_EQ(base->cl_ObjectCount, 0u);
    EXPECT_EQ(NewObject(nullptr, "unknown.class", TAG_DONE), nullptr);
    EXPECT_EQ(DoMethod(nullptr, kShout, 1, ""), 0u);
    DisposeObject(nullptr);
}

using BoopsiDeathTest = Boopsi;

TEST_F(BoopsiDeathTest, MethodsOnADisposedObjectStopTheProgram)
{
    Object *o = NewObject(nullptr, "test.base", kLevel, 1, TAG_DONE);
    ASSERT_NE(o, nullptr);
    DisposeObject(o);
    EXPECT_DEATH(SetAttrs(o, kLevel, 1, TAG_DONE), "SetAttrs\\(\\) on an object that does not exist");
    EXPECT_DEATH(DisposeObject(o), "DisposeObject\\(\\) on an object that does not exist");
}

TEST_F(Boopsi, SetGadgetAttrsTellsTheGadgetAboutItsWindow)
{
    static struct GadgetInfo *seen;
    static bool called;
    struct Catch {
        static ULONG dispatcher(Class *cl, Object *o, Msg msg)
        {
            if (msg->MethodID == OM_SET) {
                called = true;
                seen = reinterpret_cast<struct opSet *>(msg)->ops_GInfo;
                return seen && seen->gi_Window ? static_cast<ULONG>(seen->gi_Window->Width) : 0;
            }
            return DoSuperMethodA(cl, o, msg);
        }
    };
    static Class *cl = standin::register_class(nullptr, nullptr, ROOTCLASS, 0, Catch::dispatcher);
    Object *g = NewObject(cl, nullptr, TAG_DONE);
    struct Screen screen = {};
    struct Window window = {};
    window.Width = 448;
    window.WScreen = &screen;
    EXPECT_EQ(SetGadgetAttrs(reinterpret_cast<struct Gadget *>(g), &window, nullptr, TAG_USER, 1, TAG_DONE), 448u);
    ASSERT_TRUE(called);
    EXPECT_EQ(SetAttrs(g, TAG_USER, 1, TAG_DONE), 0u);
    EXPECT_EQ(seen, nullptr); // outside a window there is no gadget info
    DisposeObject(g);
}

} // namespace

// locale.library, asl.library, utility.library and application.library.
#include <proto/application.h>
#include <proto/asl.h>
#include <proto/exec.h>
#include <proto/locale.h>
#include <proto/utility.h>
#include <standin/standin.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "internal.h"

namespace standin {
namespace detail {

struct TagItem *next_tag(struct TagItem **list)
{
    if (!list)
        return nullptr;
    for (;;) {
        struct TagItem *t = *list;
        if (!t)
            return nullptr;
        switch (t->ti_Tag) {
        case TAG_DONE: return nullptr;
        case TAG_IGNORE: *list = t + 1; break;
        case TAG_MORE: *list = reinterpret_cast<struct TagItem *>(t->ti_Data); break;
        case TAG_SKIP: *list = t + 1 + t->ti_Data; break;
        default: *list = t + 1; return t;
        }
    }
}

const struct TagItem *find_tag(Tag tag, const struct TagItem *list)
{
    struct TagItem *cursor = const_cast<struct TagItem *>(list);
    while (struct TagItem *t = next_tag(&cursor))
        if (t->ti_Tag == tag)
            return t;
    return nullptr;
}

ULONG tag_data(Tag tag, ULONG fallback, const struct TagItem *list)
{
    const struct TagItem *t = find_tag(tag, list);
    return t ? t->ti_Data : fallback;
}

namespace {

// The default locale.
struct LocaleSetting {
    bool present = true;
    std::string language = "english.language";
    ULONG code_set = 4;
} locale_setting;

struct LocaleRec {
    struct Locale loc;
    std::string name, language;
};
std::unordered_map<const void *, std::unique_ptr<LocaleRec>> &locales()
{
    static std::unordered_map<const void *, std::unique_ptr<LocaleRec>> map;
    return map;
}

struct AslRec {
    struct FileRequester fr;
    std::string title, drawer, file;
    bool has_title = false;
};
std::unordered_map<const void *, std::unique_ptr<AslRec>> &requesters()
{
    static std::unordered_map<const void *, std::unique_ptr<AslRec>> map;
    return map;
}

std::unordered_set<void *> &tag_lists()
{
    static std::unordered_set<void *> set;
    return set;
}

std::vector<std::string> &applications()
{
    static std::vector<std::string> list;
    return list;
}

void apply_asl_tags(AslRec &rec, const struct TagItem *tags)
{
    if (const struct TagItem *t = find_tag(ASLFR_TitleText, tags)) {
        rec.has_title = t->ti_Data != 0;
        rec.title = t->ti_Data ? reinterpret_cast<const char *>(t->ti_Data) : "";
    }
    if (const struct TagItem *t = find_tag(ASLFR_InitialDrawer, tags))
        rec.drawer = t->ti_Data ? reinterpret_cast<const char *>(t->ti_Data) : "";
    if (const struct TagItem *t = find_tag(ASLFR_InitialFile, tags))
        rec.file = t->ti_Data ? reinterpret_cast<const char *>(t->ti_Data) : "";
    rec.fr.fr_Drawer = &rec.drawer[0];
    rec.fr.fr_File = &rec.file[0];
}

} // namespace

void reset_misc()
{
    locale_setting = LocaleSetting();
    locales().clear();
    requesters().clear();
    for (void *p : tag_lists())
        std::free(p);
    tag_lists().clear();
    applications().clear();
    reset_intuition();
}

} // namespace detail

using namespace detail;

void set_locale(const std::optional<std::string> &language_name, ULONG code_set)
{
    locale_setting.present = language_name.has_value();
    locale_setting.language = language_name ? *language_name : std::string();
    locale_setting.code_set = code_set;
}

void add_application(const std::string &identifier) { applications().push_back(identifier); }

} // namespace standin

using namespace standin;
using namespace standin::detail;

/* ---- locale.library ----------------------------------------------------------------------------------- */

struct Locale *OpenLocale(CONST_STRPTR name)
{
    require(LocaleBase, ILocale, "OpenLocale", "LocaleBase", "ILocale", "locale.library");
    // Only the default locale exists; named locale preference files are not kept.
    if (name || !locale_setting.present)
        return nullptr;
    auto rec = std::make_unique<LocaleRec>();
    std::memset(&rec->loc, 0, sizeof(rec->loc));
    rec->name = "ENV:Sys/locale.prefs";
    rec->language = locale_setting.language;
    rec->loc.loc_LocaleName = &rec->name[0];
    rec->loc.loc_LanguageName = &rec->language[0];
    rec->loc.loc_PrefLanguages[0] = &rec->language[0];
    rec->loc.loc_CodeSet = locale_setting.code_set;
    struct Locale *loc = &rec->loc;
    locales()[loc] = std::move(rec);
    return loc;
}

void CloseLocale(struct Locale *locale)
{
    require(LocaleBase, ILocale, "CloseLocale", "LocaleBase", "ILocale", "locale.library");
    if (!locale)
        return;
    if (!locales().erase(locale))
        die("CloseLocale() of a locale that is not open (closed already?)");
}

/* ---- asl.library -------------------------------------------------------------------------------------- */

APTR AllocAslRequest(ULONG reqType, struct TagItem *tagList)
{
    require(AslBase, IAsl, "AllocAslRequest", "AslBase", "IAsl", "asl.library");
    if (reqType != ASL_FileRequest || failing("asl"))
        return nullptr;
    auto rec = std::make_unique<AslRec>();
    std::memset(&rec->fr, 0, sizeof(rec->fr));
    apply_asl_tags(*rec, tagList);
    struct FileRequester *fr = &rec->fr;
    requesters()[fr] = std::move(rec);
    return fr;
}

BOOL AslRequest(APTR requester, struct TagItem *tagList)
{
    require(AslBase, IAsl, "AslRequest", "AslBase", "IAsl", "asl.library");
    auto it = requesters().find(requester);
    if (it == requesters().end())
        die("AslRequest() with a requester that AllocAslRequest() did not give (freed already?)");
    AslRec &rec = *it->second;
    apply_asl_tags(rec, tagList);
    transcript_event("asl", {{"title", rec.title}, {"drawer", rec.drawer}});
    // The user's answer is the next script line when that is an asl line; anything else means the
    // requester was cancelled and leaves the line for the program's event loop.
    std::optional<Action> next = script_peek();
    if (!next || (next->kind != Action::Asl && next->kind != Action::AslCancel))
        return FALSE;
    script_next();
    if (next->kind == Action::AslCancel)
        return FALSE;
    rec.drawer = next->text;
    rec.file = next->file;
    rec.fr.fr_Drawer = &rec.drawer[0];
    rec.fr.fr_File = &rec.file[0];
    return TRUE;
}

void FreeAslRequest(APTR requester)
{
    require(AslBase, IAsl, "FreeAslRequest", "AslBase", "IAsl", "asl.library");
    if (!requester)
        return;
    if (!requesters().erase(requester))
        die("FreeAslRequest() of a requester that is not allocated (freed already?)");
}

/* ---- utility.library ---------------------------------------------------------------------------------- */

#define NEED_UTILITY(call) require(UtilityBase, IUtility, call, "UtilityBase", "IUtility", "utility.library")

struct TagItem *AllocateTagItems(ULONG numTags)
{
    NEED_UTILITY("AllocateTagItems");
    if (numTags == 0)
        return nullptr;
    void *p = std::calloc(numTags, sizeof(struct TagItem));
    if (p)
        tag_lists().insert(p);
    return static_cast<struct TagItem *>(p);
}

void FreeTagItems(struct TagItem *tagList)
{
    NEED_UTILITY("FreeTagItems");
    if (!tagList)
        return;
    if (!tag_lists().erase(tagList))
        die("FreeTagItems() of a list that AllocateTagItems() did not give (freed twice?)");
    std::free(tagList);
}

struct TagItem *NextTagItem(struct TagItem **tagListPtr)
{
    NEED_UTILITY("NextTagItem");
    return next_tag(tagListPtr);
}

struct TagItem *FindTagItem(Tag tagValue, const struct TagItem *tagList)
{
    NEED_UTILITY("FindTagItem");
    return const_cast<struct TagItem *>(find_tag(tagValue, tagList));
}

ULONG GetTagData(Tag tagValue, ULONG defaultVal, const struct TagItem *tagList)
{
    NEED_UTILITY("GetTagData");
    return tag_data(tagValue, defaultVal, tagList);
}

ULONG CallHookPkt(struct Hook *hook, APTR object, APTR paramPacket)
{
    NEED_UTILITY("CallHookPkt");
    return hook && hook->h_Entry ? hook->h_Entry(hook, object, paramPacket) : 0;
}

/* ---- application.library ------------------------------------------------------------------------------ */

ULONG FindApplicationA(struct TagItem *tags)
{
    require(ApplicationBase, IApplication, "FindApplication", "ApplicationBase", "IApplication",
            "application.library");
    const struct TagItem *t = find_tag(FINDAPP_AppIdentifier, tags);
    if (!t || !t->ti_Data)
        return 0;
    const char *id = reinterpret_cast<const char *>(t->ti_Data);
    for (std::size_t i = 0; i < applications().size(); ++i)
        if (applications()[i] == id)
            return static_cast<ULONG>(i + 1);
    return 0;
}

// exec, locale, asl, utility and application: opening libraries and interfaces, the checks on
// unopened libraries, memory, tasks, signals, the locale, the file requester and registered
// applications.
#include <proto/application.h>
#include <proto/asl.h>
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/intuition.h>
#include <proto/locale.h>
#include <proto/utility.h>

#include <cstring>

#include "standin_fixture.h"

namespace {

using Libraries = Standin;
using LibrariesDeathTest = Standin;

TEST_F(Libraries, OpenCloseAndInterfaces)
{
    EXPECT_EQ(standin::library_open_count("dos.library"), 1); // open from the start
    struct Library *asl = OpenLibrary("asl.library", 0);
    ASSERT_NE(asl, nullptr);
    EXPECT_EQ(OpenLibrary("asl.library", 0), asl);
    EXPECT_EQ(standin::library_open_count("asl.library"), 2);
    EXPECT_EQ(OpenLibrary("asl.library", 99), nullptr); // too old
    EXPECT_EQ(OpenLibrary("nosuch.library", 0), nullptr);
    EXPECT_NE(OpenLibrary("gadgets/layout.gadget", 0), nullptr);
    struct Interface *main_if = GetInterface(asl, "main", 1, nullptr);
    ASSERT_NE(main_if, nullptr);
    EXPECT_EQ(main_if->Data.LibBase, asl);
    EXPECT_EQ(GetInterface(asl, "main", 2, nullptr), nullptr);
    EXPECT_EQ(GetInterface(asl, "other", 1, nullptr), nullptr);
    DropInterface(main_if);
    struct Library *app = OpenLibrary("application.library", 50);
    ASSERT_NE(app, nullptr);
    EXPECT_NE(GetInterface(app, "application", 2, nullptr), nullptr);
    EXPECT_EQ(GetInterface(app, "main", 1, nullptr), nullptr);
    CloseLibrary(asl);
    CloseLibrary(asl);
    EXPECT_EQ(standin::library_open_count("asl.library"), 0);
    EXPECT_EQ(reinterpret_cast<struct Library *>(IExec->Data.LibBase), &SysBase->LibNode);
    EXPECT_EQ(IDOS->Data.LibBase, DOSBase);
}

TEST_F(Libraries, InjectedLibraryAndInterfaceFailures)
{
    standin::fail("library:asl.library,interface:application,interface:gadgets/layout.gadget");
    EXPECT_EQ(OpenLibrary("asl.library", 0), nullptr);
    struct Library *app = OpenLibrary("application.library", 50);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(GetInterface(app, "application", 2, nullptr), nullptr);
    struct Library *layout = OpenLibrary("gadgets/layout.gadget", 0);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(GetInterface(layout, "main", 1, nullptr), nullptr);
    struct Library *intuition = OpenLibrary("intuition.library", 0);
    EXPECT_NE(GetInterface(intuition, "main", 1, nullptr), nullptr); // other interfaces stay
}

TEST_F(LibrariesDeathTest, CallsIntoUnopenedLibrariesStopTheProgram)
{
    EXPECT_DEATH(OpenLocale(nullptr), "OpenLocale\\(\\) called while LocaleBase is NULL");
    EXPECT_DEATH(AllocAslRequest(ASL_FileRequest, nullptr), "AllocAslRequest\\(\\) called while AslBase is NULL");
    LocaleBase = OpenLibrary("locale.library", 0);
    CloseLibrary(LocaleBase);
    EXPECT_DEATH(OpenLocale(nullptr), "after locale.library was closed");
    // Once the program works through interfaces, a missing interface is caught as well.
    LocaleBase = OpenLibrary("locale.library", 0);
    struct Library *intuition = OpenLibrary("intuition.library", 0);
    IIntuition = reinterpret_cast<struct IntuitionIFace *>(GetInterface(intuition, "main", 1, nullptr));
    EXPECT_TRUE(standin::amigaos4_mode());
    EXPECT_DEATH(OpenLocale(nullptr), "OpenLocale\\(\\) called while ILocale is NULL");
    DOSBase = nullptr;
    EXPECT_DEATH(Lock("Work:", SHARED_LOCK), "Lock\\(\\) called while DOSBase is NULL");
}

TEST_F(Libraries, MemoryBlocks)
{
    unsigned char *a = static_cast<unsigned char *>(AllocVec(64, MEMF_ANY | MEMF_CLEAR));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a[0] | a[63], 0);
    unsigned char *b = static_cast<unsigned char *>(AllocVecTags(32, AVT_Type, MEMF_SHARED, AVT_ClearWithValue, 0xAB, TAG_DONE));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b[31], 0xAB);
    EXPECT_EQ(standin::allocated_vecs(), 2);
    standin::fail("alloc:1048577");
    EXPECT_EQ(AllocVecTags(1048577, AVT_Type, MEMF_SHARED, TAG_DONE), nullptr);
    EXPECT_EQ(AllocVec(1048577, MEMF_ANY), nullptr);
    void *c = AllocVec(1048576, MEMF_ANY);
    EXPECT_NE(c, nullptr);
    FreeVec(a);
    FreeVec(b);
    FreeVec(c);
    FreeVec(nullptr);
    EXPECT_EQ(standin::allocated_vecs(), 0);
}

TEST_F(Libraries, TasksAndShellProcesses)
{
    standin::set_program_name("/x/Trivelo_Extension_MorphOS.exe");
    standin::add_task("Trivelo");
    standin::add_cli_process("Work:Games/Trivelo/Trivelo");
    EXPECT_STREQ(FindTask(nullptr)->tc_Node.ln_Name, "Trivelo_Extension_MorphOS");
    struct Task *game = FindTask("Trivelo");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->tc_Node.ln_Type, NT_PROCESS);
    EXPECT_EQ(FindTask("trivelo"), nullptr); // task names compare exactly
    Forbid();
    ASSERT_EQ(MaxCli(), 1u);
    struct Process *shell = FindCliProc(1);
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(FindCliProc(2), nullptr);
    const struct CommandLineInterface *cli = static_cast<struct CommandLineInterface *>(BADDR(shell->pr_CLI));
    const unsigned char *name = static_cast<const unsigned char *>(BADDR(cli->cli_CommandName));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(name + 1), name[0]), "Work:Games/Trivelo/Trivelo");
    Permit();
    EXPECT_EQ(reinterpret_cast<struct Process *>(FindTask(nullptr))->pr_CLI, 0);
}

TEST_F(Libraries, WaitTakesSignalsFromTheHookAndRefusesToHang)
{
    const BYTE bit = AllocSignal(-1);
    ASSERT_GE(bit, 16);
    const ULONG mask = 1UL << bit;
    Signal(FindTask(nullptr), mask);
    EXPECT_EQ(Wait(mask | SIGBREAKF_CTRL_C), mask);
    int calls = 0;
    standin::set_wait_hook([&](ULONG awaited) {
        calls++;
        if (awaited & mask)
            Signal(FindTask(nullptr), mask);
    });
    EXPECT_EQ(Wait(mask), mask);
    EXPECT_EQ(calls, 1);
    FreeSignal(bit);
}

TEST_F(LibrariesDeathTest, MisuseStopsTheProgram)
{
    void *block = AllocVec(16, MEMF_ANY);
    FreeVec(block);
    EXPECT_DEATH(FreeVec(block), "FreeVec\\(\\) of memory that AllocVec\\(\\) did not give");
    EXPECT_DEATH(Wait(SIGBREAKF_CTRL_F), "none of these signals can arrive");
    BPTR lock = Lock("Work:", SHARED_LOCK);
    UnLock(lock);
    EXPECT_DEATH(UnLock(lock), "UnLock\\(\\) with a lock that is not held");
    IntuitionBase = OpenLibrary("intuition.library", 0);
    EXPECT_DEATH(UnlockPubScreen(nullptr, LockPubScreen(nullptr)); UnlockPubScreen("Workbench", nullptr),
                 "without a matching LockPubScreen");
}

TEST_F(Libraries, DefaultLocaleNoneOrBytes)
{
    LocaleBase = OpenLibrary("locale.library", 0);
    struct Locale *loc = OpenLocale(nullptr);
    ASSERT_NE(loc, nullptr);
    EXPECT_STREQ(loc->loc_LanguageName, "english.language");
    EXPECT_EQ(loc->loc_CodeSet, 4u);
    CloseLocale(loc);
    standin::set_locale(std::string("fran\xe7" "ais.language"), 2104);
    loc = OpenLocale(nullptr);
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(std::string(loc->loc_LanguageName), "fran\xe7" "ais.language");
    EXPECT_EQ(loc->loc_CodeSet, 2104u);
    CloseLocale(loc);
    standin::set_locale(std::nullopt);
    EXPECT_EQ(OpenLocale(nullptr), nullptr);
    CloseLocale(nullptr);
}

TEST_F(Libraries, AslRequesterAnswersFromTheScript)
{
    AslBase = OpenLibrary("asl.library", 0);
    UtilityBase = OpenLibrary("utility.library", 0);
    standin::script_set("asl Work:Games|Quiz\nasl cancel\nasl \nasl \\x7C|x\\xE7\npress right\n");
    struct TagItem *tags = AllocateTagItems(3);
    tags[0].ti_Tag = ASLFR_TitleText;
    tags[0].ti_Data = reinterpret_cast<ULONG>("Choose");
    tags[1].ti_Tag = ASLFR_InitialDrawer;
    tags[1].ti_Data = reinterpret_cast<ULONG>("Work:");
    tags[2].ti_Tag = TAG_DONE;
    struct FileRequester *fr = static_cast<struct FileRequester *>(AllocAslRequest(ASL_FileRequest, tags));
    FreeTagItems(tags);
    ASSERT_NE(fr, nullptr);
    ASSERT_TRUE(AslRequest(fr, nullptr));
    EXPECT_STREQ(fr->fr_Drawer, "Work:Games");
    EXPECT_STREQ(fr->fr_File, "Quiz");
    EXPECT_FALSE(AslRequestTags(fr, ASLFR_InitialDrawer, "Work:Games", TAG_DONE)); // asl cancel
    ASSERT_TRUE(AslRequest(fr, nullptr));                                          // an empty drawer
    EXPECT_STREQ(fr->fr_Drawer, "");
    EXPECT_STREQ(fr->fr_File, "");
    ASSERT_TRUE(AslRequest(fr, nullptr));
    EXPECT_STREQ(fr->fr_Drawer, "|");
    EXPECT_STREQ(fr->fr_File, "x\xe7");
    EXPECT_FALSE(AslRequest(fr, nullptr)); // "press right" is no answer: cancelled, the line stays
    EXPECT_EQ(standin::script_remaining(), 1u);
    FreeAslRequest(fr);
    const std::vector<std::string> &lines = standin::transcript_lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], R"({"event":"asl","title":"Choose","drawer":"Work:"})");
    EXPECT_EQ(lines[1], R"({"event":"asl","title":"Choose","drawer":"Work:Games"})");

    standin::script_set("");
    fr = static_cast<struct FileRequester *>(AllocAslRequestTags(ASL_FileRequest, TAG_DONE));
    EXPECT_FALSE(AslRequest(fr, nullptr)); // no script: cancelled
    EXPECT_EQ(standin::transcript_lines().back(), R"({"event":"asl","title":"","drawer":""})");
    FreeAslRequest(fr);
    standin::queue_asl("Work:", "");
    fr = static_cast<struct FileRequester *>(AllocAslRequestTags(ASL_FileRequest, TAG_DONE));
    EXPECT_TRUE(AslRequest(fr, nullptr));
    EXPECT_STREQ(fr->fr_Drawer, "Work:");
    FreeAslRequest(fr);
    standin::fail("asl");
    EXPECT_EQ(AllocAslRequestTags(ASL_FileRequest, TAG_DONE), nullptr);
}

TEST_F(Libraries, FindApplicationByIdentifier)
{
    ApplicationBase = OpenLibrary("application.library", 50);
    IApplication = reinterpret_cast<struct ApplicationIFace *>(GetInterface(ApplicationBase, "application", 2, nullptr));
    EXPECT_EQ(FindApplication(FINDAPP_AppIdentifier, "Trivelo.example.org", TAG_DONE), 0u);
    standin::add_application("Other.example.org");
    standin::add_application("Trivelo.example.org");
    EXPECT_EQ(FindApplication(FINDAPP_AppIdentifier, "Trivelo.example.org", TAG_DONE), 2u);
    EXPECT_EQ(FindApplication(FINDAPP_AppIdentifier, "trivelo.example.org", TAG_DONE), 0u);
}

TEST_F(Libraries, TagListsSkipIgnoreAndChain)
{
    UtilityBase = OpenLibrary("utility.library", 0);
    struct TagItem tail[] = {{TAG_USER + 3, 30}, {TAG_DONE, 0}};
    struct TagItem head[] = {{TAG_IGNORE, 0}, {TAG_USER + 1, 10}, {TAG_SKIP, 1}, {TAG_USER + 2, 20},
                             {TAG_MORE, reinterpret_cast<ULONG>(tail)}};
    EXPECT_EQ(GetTagData(TAG_USER + 1, 0, head), 10u);
    EXPECT_EQ(GetTagData(TAG_USER + 2, 99, head), 99u); // skipped
    EXPECT_EQ(GetTagData(TAG_USER + 3, 0, head), 30u);
    EXPECT_EQ(FindTagItem(TAG_IGNORE, head), nullptr);
    struct TagItem *cursor = head;
    int n = 0;
    while (NextTagItem(&cursor))
        n++;
    EXPECT_EQ(n, 2);
}

} // namespace

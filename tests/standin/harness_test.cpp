// The harness: configuration, failure injection on files and screens, the script and the transcript.
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/intuition.h>
#include <proto/locale.h>

#include "standin_fixture.h"

namespace {

using Harness = Standin;
using HarnessDeathTest = Standin;

TEST_F(Harness, ConfigureFromVariables)
{
    fs::create_directories(tmp / "game");
    write_file(tmp / "script.txt", "type Work:\\x47ames\r\npress right\n\nclose\n");
    const std::string transcript = (tmp / "out.jsonl").string();
    standin::configure({{"TRIVELO_AMIGA_VOLUMES", "RAM=" + (tmp / "ram").string() + ";Game=" + (tmp / "game").string()},
                        {"TRIVELO_AMIGA_LOCALE", "polski.language"},
                        {"TRIVELO_AMIGA_CODESET", "5"},
                        {"TRIVELO_AMIGA_FAIL", "screen, requester"},
                        {"TRIVELO_AMIGA_APPS", "A.example.org,B.example.org"},
                        {"TRIVELO_AMIGA_TASKS", "Trivelo,cli:Game:Trivelo"},
                        {"TRIVELO_AMIGA_SCRIPT", (tmp / "script.txt").string()},
                        {"TRIVELO_AMIGA_TRANSCRIPT", transcript}});
    // configure() starts afresh: Work: of the fixture is gone, the configured volumes are there.
    EXPECT_EQ(standin::volume_host_dir("Work"), "");
    EXPECT_EQ(fs::path(standin::volume_host_dir("game")), fs::weakly_canonical(tmp / "game"));
    EXPECT_TRUE(fs::is_directory(tmp / "ram" / "T"));
    LocaleBase = OpenLibrary("locale.library", 0);
    struct Locale *loc = OpenLocale(nullptr);
    ASSERT_NE(loc, nullptr);
    EXPECT_STREQ(loc->loc_LanguageName, "polski.language");
    EXPECT_EQ(loc->loc_CodeSet, 5u);
    CloseLocale(loc);
    EXPECT_TRUE(standin::failing("screen"));
    EXPECT_TRUE(standin::failing("requester"));
    EXPECT_FALSE(standin::failing("window"));
    EXPECT_NE(FindTask("Trivelo"), nullptr);
    EXPECT_EQ(MaxCli(), 1u);
    ASSERT_EQ(standin::script_remaining(), 3u);
    EXPECT_EQ(standin::script_next()->text, "Work:Games");
    EXPECT_EQ(standin::script_next()->kind, standin::Action::PressRight);
    EXPECT_EQ(standin::script_next()->kind, standin::Action::Close);
    EXPECT_FALSE(standin::script_next().has_value());
    standin::transcript_event("exit", {{"code", 0}});
    EXPECT_EQ(read_file(transcript), "{\"event\":\"exit\",\"code\":0}\n"); // flushed at once

    standin::configure({{"TRIVELO_AMIGA_LOCALE", "none"}});
    LocaleBase = OpenLibrary("locale.library", 0); // a fresh start: the library is closed again
    EXPECT_EQ(OpenLocale(nullptr), nullptr);
}

TEST_F(HarnessDeathTest, MalformedVariablesStopTheProgram)
{
    EXPECT_DEATH(standin::configure({{"TRIVELO_AMIGA_VOLUMES", "Work"}}), "TRIVELO_AMIGA_VOLUMES");
    EXPECT_DEATH(standin::configure({{"TRIVELO_AMIGA_CODESET", "four"}}), "TRIVELO_AMIGA_CODESET");
    EXPECT_DEATH(standin::configure({{"TRIVELO_AMIGA_FAIL", "opne:RAM:x"}}), "unknown failure");
    EXPECT_DEATH(standin::configure({{"TRIVELO_AMIGA_FAIL", "alloc:big"}}), "size in bytes");
    EXPECT_DEATH(standin::configure({{"TRIVELO_AMIGA_SCRIPT", (tmp / "none.txt").string()}}), "cannot read");
    EXPECT_DEATH(standin::script_set("type x\npress middle\n"), "line 2");
}

TEST_F(Harness, ScriptLines)
{
    using standin::Action;
    const struct {
        const char *line;
        Action::Kind kind;
        const char *text;
        const char *file;
    } cases[] = {
        {"type Work:Games", Action::Type, "Work:Games", ""},
        {"type", Action::Type, "", ""},
        {"type  two spaces", Action::Type, " two spaces", ""},
        {"type Fran\\xE7ais\\x2", Action::Type, "Fran\xe7" "ais\\x2", ""}, // a short escape stays as it is
        {"type a\\\\b", Action::Type, "a\\\\b", ""},
        {"press left", Action::PressLeft, "", ""},
        {"press right\r", Action::PressRight, "", ""},
        {"press browse", Action::PressBrowse, "", ""},
        {"close", Action::Close, "", ""},
        {"escape", Action::Escape, "", ""},
        {"asl Work:Games", Action::Asl, "Work:Games", ""},
        {"asl Work:|Quiz", Action::Asl, "Work:", "Quiz"},
        {"asl |", Action::Asl, "", ""},
        {"asl", Action::Asl, "", ""},
        {"asl cancel", Action::AslCancel, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        auto a = standin::parse_action(c.line);
        ASSERT_TRUE(a.has_value());
        EXPECT_EQ(a->kind, c.kind);
        EXPECT_EQ(a->text, c.text);
        EXPECT_EQ(a->file, c.file);
    }
    for (const char *bad : {"press", "press up", "Close", "typed x", "escape now", "asl-cancel"}) {
        SCOPED_TRACE(bad);
        std::string error;
        EXPECT_FALSE(standin::parse_action(bad, &error).has_value());
        EXPECT_NE(error.find(bad), std::string::npos);
    }
}

TEST_F(Harness, TranscriptTextsCarryOneByteACharacter)
{
    const std::string file = (tmp / "t.jsonl").string();
    standin::transcript_to(file);
    std::string bytes = "a\"b\\c";
    bytes += '\x01';
    bytes += '\n';
    bytes += "\x7f\x80\xe7\xff";
    standin::transcript_event("screen", {{"number", 1},
                                         {"text", bytes},
                                         {"left_enabled", false},
                                         {"gauge", 5UL},
                                         {"label", static_cast<const char *>(nullptr)},
                                         {"neg", -3L}});
    const std::string expected =
        R"({"event":"screen","number":1,"text":"a\"b\\c\u0001\u000A)"
        "\x7f"
        R"(\u0080\u00E7\u00FF","left_enabled":false,"gauge":5,"label":null,"neg":-3})";
    ASSERT_EQ(standin::transcript_lines().size(), 1u);
    EXPECT_EQ(standin::transcript_lines()[0], expected);
    EXPECT_EQ(read_file(file), expected + "\n");
}

TEST_F(Harness, FileFailures)
{
    write_file(work("in"), std::string(100, 'i'));
    standin::fail("open:Work:in, lock:work:IN");
    EXPECT_EQ(Open("Work:in", MODE_OLDFILE), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
    EXPECT_EQ(Lock("Work:in", SHARED_LOCK), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
    standin::clear_failures();

    // read: reads fail; write:PATH@N: a full disk once N bytes are written.
    standin::fail("read:Work:in,write:Work:out@10,write:Work:none,createdir:Work:dir");
    BPTR in = Open("Work:in", MODE_OLDFILE);
    ASSERT_NE(in, 0);
    char buf[64];
    EXPECT_EQ(Read(in, buf, sizeof(buf)), -1);
    EXPECT_EQ(FGets(in, buf, sizeof(buf)), nullptr);
    EXPECT_NE(IoErr(), 0);
    Close(in);
    BPTR out = Open("Work:out", MODE_NEWFILE);
    ASSERT_NE(out, 0);
    EXPECT_EQ(Write(out, "123456", 6), 6);
    EXPECT_EQ(Write(out, "789abc", 6), -1);
    EXPECT_EQ(IoErr(), ERROR_DISK_FULL);
    EXPECT_EQ(FPutC(out, 'x'), ENDSTREAMCH);
    Close(out);
    EXPECT_EQ(read_file(work("out")), "123456789a");
    BPTR none = Open("Work:none", MODE_NEWFILE);
    EXPECT_EQ(FPuts(none, "x"), -1);
    Close(none);
    EXPECT_EQ(CreateDir("Work:dir"), 0);
    EXPECT_EQ(IoErr(), ERROR_DISK_FULL);
}

TEST_F(Harness, WorkspaceCanBeNeitherLockedNorCreated)
{
    standin::fail("workspace");
    BPTR maker = CreateDir("RAM:T/Felgrove");
    ASSERT_NE(maker, 0);
    UnLock(maker);
    EXPECT_EQ(Lock("RAM:T/Felgrove/Trivelo_Extension", SHARED_LOCK), 0);
    EXPECT_EQ(CreateDir("RAM:T/Felgrove/Trivelo_Extension"), 0);
    EXPECT_NE(IoErr(), 0);
    BPTR other = CreateDir("RAM:T/Felgrove/Other");
    EXPECT_NE(other, 0);
    UnLock(other);
}

TEST_F(Harness, ScreenFailureAndBalancedLocks)
{
    IntuitionBase = OpenLibrary("intuition.library", 0);
    struct Screen *wb = LockPubScreen("Workbench");
    ASSERT_NE(wb, nullptr);
    EXPECT_EQ(LockPubScreen(nullptr), wb); // the default public screen
    EXPECT_EQ(LockPubScreen("Other"), nullptr);
    EXPECT_EQ(standin::pubscreen_locks(), 2);
    UnlockPubScreen(nullptr, wb);
    UnlockPubScreen(nullptr, wb);
    EXPECT_EQ(standin::pubscreen_locks(), 0);
    standin::fail("screen");
    EXPECT_EQ(LockPubScreen("Workbench"), nullptr);
}

} // namespace

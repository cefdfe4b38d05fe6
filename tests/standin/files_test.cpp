// dos.library: locks, files, deletion and renaming refusals, comments, protection bits, dates, line
// reading, error codes and texts.
#include <proto/dos.h>
#include <proto/exec.h>

#include <cstring>

#include "standin_fixture.h"

namespace {

using Files = Standin;

TEST_F(Files, SharedLocksAreManyAnExclusiveLockIsAlone)
{
    write_file(work("f"), "x");
    BPTR a = Lock("Work:f", SHARED_LOCK);
    BPTR b = Lock("Work:f", ACCESS_READ);
    ASSERT_NE(a, 0);
    ASSERT_NE(b, 0);
    EXPECT_EQ(Lock("Work:f", EXCLUSIVE_LOCK), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
    BPTR c = DupLock(a);
    EXPECT_NE(c, 0);
    UnLock(a);
    UnLock(b);
    UnLock(c);
    BPTR x = Lock("Work:f", EXCLUSIVE_LOCK);
    ASSERT_NE(x, 0);
    EXPECT_EQ(Lock("Work:f", SHARED_LOCK), 0);
    EXPECT_EQ(DupLock(x), 0);
    EXPECT_EQ(static_cast<struct FileLock *>(BADDR(x))->fl_Access, EXCLUSIVE_LOCK);
    UnLock(x);
    EXPECT_EQ(standin::open_locks(), 0);
}

TEST_F(Files, CreateDirGivesAnExclusiveLockAndRefusesAnExistingName)
{
    BPTR d = CreateDir("Work:New");
    ASSERT_NE(d, 0);
    EXPECT_TRUE(fs::is_directory(work("New")));
    EXPECT_EQ(Lock("Work:New", SHARED_LOCK), 0);
    UnLock(d);
    EXPECT_EQ(CreateDir("Work:new"), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
    EXPECT_EQ(CreateDir("Work:none/New"), 0);
    EXPECT_EQ(IoErr(), ERROR_DIR_NOT_FOUND);
}

TEST_F(Files, DeleteFileRefusals)
{
    write_file(work("full/inside"), "x");
    write_file(work("locked"), "x");
    write_file(work("open"), "x");
    write_file(work("protected"), "x");
    write_file(work("readonly"), "x");
    fs::permissions(work("readonly"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_EQ(SetProtection("Work:protected", FIBF_DELETE), DOSTRUE);
    BPTR lock = Lock("Work:locked", SHARED_LOCK);
    BPTR fh = Open("Work:open", MODE_OLDFILE);
    BPTR here = CurrentDir(Lock("Work:", SHARED_LOCK)); // the current directory is held as well
    const struct {
        const char *name;
        LONG error;
    } cases[] = {
        {"Work:full", ERROR_DIRECTORY_NOT_EMPTY}, {"Work:locked", ERROR_OBJECT_IN_USE},
        {"Work:open", ERROR_OBJECT_IN_USE},       {"Work:protected", ERROR_DELETE_PROTECTED},
        {"Work:readonly", ERROR_DELETE_PROTECTED}, {"Work:missing", ERROR_OBJECT_NOT_FOUND},
        {"Work:", ERROR_OBJECT_WRONG_TYPE},        {"", ERROR_OBJECT_WRONG_TYPE},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DeleteFile(c.name), DOSFALSE);
        EXPECT_EQ(IoErr(), c.error);
    }
    EXPECT_TRUE(fs::exists(work("full/inside")) && fs::exists(work("locked")) && fs::exists(work("readonly")));
    UnLock(CurrentDir(here));
    UnLock(lock);
    Close(fh);
    EXPECT_EQ(DeleteFile("Work:full/inside"), DOSTRUE);
    EXPECT_EQ(DeleteFile("Work:full"), DOSTRUE);
    EXPECT_EQ(DeleteFile("Work:locked"), DOSTRUE);
    EXPECT_FALSE(fs::exists(work("full")));
}

TEST_F(Files, RenameRefusesAnExistingDestinationAndTakesItsAttributesAlong)
{
    write_file(work("a"), "a");
    write_file(work("b"), "b");
    fs::create_directories(tmp / "other");
    standin::set_volume("Other", (tmp / "other").string());
    EXPECT_EQ(Rename("Work:a", "Work:b"), DOSFALSE);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
    EXPECT_EQ(Rename("Work:a", "Other:a"), DOSFALSE);
    EXPECT_EQ(IoErr(), ERROR_RENAME_ACROSS_DEVICES);
    SetComment("Work:a", "note");
    BPTR lock = Lock("Work:a", SHARED_LOCK);
    ASSERT_EQ(Rename("Work:a", "Work:c"), DOSTRUE);
    struct FileInfoBlock fib;
    ASSERT_EQ(Examine(lock, &fib), DOSTRUE); // the lock follows the object
    EXPECT_STREQ(fib.fib_FileName, "c");
    EXPECT_STREQ(fib.fib_Comment, "note");
    UnLock(lock);
    EXPECT_EQ(read_file(work("b")), "b");
}

TEST_F(Files, CommentProtectionAndDateAreKept)
{
    write_file(work("f"), "12345");
    ASSERT_EQ(SetComment("Work:f", "a comment"), DOSTRUE);
    ASSERT_EQ(SetProtection("Work:f", FIBF_ARCHIVE | FIBF_EXECUTE), DOSTRUE);
    const struct DateStamp when = {14000, 725, 37}; // 2016-05-01 12:05:00.74
    ASSERT_EQ(SetFileDate("Work:f", &when), DOSTRUE);

    struct FileInfoBlock *fib = static_cast<struct FileInfoBlock *>(AllocDosObject(DOS_FIB, nullptr));
    ASSERT_NE(fib, nullptr);
    BPTR lock = Lock("Work:f", SHARED_LOCK);
    ASSERT_EQ(Examine(lock, fib), DOSTRUE);
    EXPECT_LT(fib->fib_DirEntryType, 0);
    EXPECT_STREQ(fib->fib_FileName, "f");
    EXPECT_EQ(fib->fib_Size, 5);
    EXPECT_STREQ(fib->fib_Comment, "a comment");
    EXPECT_EQ(fib->fib_Protection, FIBF_ARCHIVE | FIBF_EXECUTE);
    EXPECT_EQ(fib->fib_Date.ds_Days, 14000);
    EXPECT_EQ(fib->fib_Date.ds_Minute, 725);
    EXPECT_EQ(fib->fib_Date.ds_Tick, 37);
    UnLock(lock);
    FreeDosObject(DOS_FIB, fib);

    const struct DateStamp later = {15000, 1, 0};
    ASSERT_EQ(SetDate("Work:f", &later), DOSTRUE);
    struct ExamineData *exd = ExamineObjectTags(EX_StringNameInput, "Work:F", TAG_END);
    ASSERT_NE(exd, nullptr);
    EXPECT_TRUE(EXD_IS_FILE(exd));
    EXPECT_EQ(exd->FileSize, 5);
    EXPECT_STREQ(exd->Name, "f");
    EXPECT_STREQ(exd->Comment, "a comment");
    EXPECT_EQ(exd->Protection, static_cast<uint32>(FIBF_ARCHIVE | FIBF_EXECUTE));
    EXPECT_EQ(exd->Date.ds_Days, 15000);
    EXPECT_EQ(exd->Date.ds_Minute, 1);
    FreeDosObject(DOS_EXAMINEDATA, exd);

    // Writing a file clears its archive bit, as the file system does.
    BPTR fh = Open("Work:f", MODE_NEWFILE);
    Close(fh);
    exd = ExamineObjectTags(EX_StringNameInput, "Work:f", TAG_END);
    ASSERT_NE(exd, nullptr);
    EXPECT_EQ(exd->Protection, static_cast<uint32>(FIBF_EXECUTE));
    FreeDosObject(DOS_EXAMINEDATA, exd);

    EXPECT_EQ(SetComment("Work:f", std::string(80, 'c').c_str()), DOSFALSE);
    EXPECT_EQ(IoErr(), ERROR_COMMENT_TOO_BIG);
    EXPECT_EQ(ExamineObjectTags(EX_StringNameInput, "Work:missing", TAG_END), nullptr);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
}

TEST_F(Files, ExamineOfADrawerAndARoot)
{
    fs::create_directories(work("Games"));
    BPTR lock = Lock("Work:Games", SHARED_LOCK);
    struct FileInfoBlock fib;
    ASSERT_EQ(Examine(lock, &fib), DOSTRUE);
    EXPECT_EQ(fib.fib_DirEntryType, ST_USERDIR);
    UnLock(lock);
    lock = Lock("work:", SHARED_LOCK);
    ASSERT_EQ(Examine(lock, &fib), DOSTRUE);
    EXPECT_EQ(fib.fib_DirEntryType, ST_ROOT);
    EXPECT_STREQ(fib.fib_FileName, "Work");
    UnLock(lock);
}

TEST_F(Files, WriteProtectionRefusesNewFileAndWrites)
{
    write_file(work("ro"), "old");
    write_file(work("prot"), "old");
    fs::permissions(work("ro"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    SetProtection("Work:prot", FIBF_WRITE);
    for (const char *name : {"Work:ro", "Work:prot"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Open(name, MODE_NEWFILE), 0);
        EXPECT_EQ(IoErr(), ERROR_WRITE_PROTECTED);
        BPTR fh = Open(name, MODE_OLDFILE); // reading is still allowed
        ASSERT_NE(fh, 0);
        EXPECT_EQ(Write(fh, "new", 3), -1);
        EXPECT_EQ(IoErr(), ERROR_WRITE_PROTECTED);
        Close(fh);
    }
    struct ExamineData *exd = ExamineObjectTags(EX_StringNameInput, "Work:ro", TAG_END);
    ASSERT_NE(exd, nullptr);
    EXPECT_EQ(exd->Protection & (FIBF_WRITE | FIBF_DELETE), static_cast<uint32>(FIBF_WRITE | FIBF_DELETE));
    FreeDosObject(DOS_EXAMINEDATA, exd);
    EXPECT_EQ(read_file(work("ro")), "old");
    SetProtection("Work:prot", FIBF_READ);
    EXPECT_EQ(Open("Work:prot", MODE_OLDFILE), 0);
    EXPECT_EQ(IoErr(), ERROR_READ_PROTECTED);
}

TEST_F(Files, OpenModesAndTheirLocks)
{
    EXPECT_EQ(Open("Work:none", MODE_OLDFILE), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
    BPTR rw = Open("Work:rw", MODE_READWRITE); // created when missing, shared
    ASSERT_NE(rw, 0);
    BPTR again = Open("Work:rw", MODE_OLDFILE);
    EXPECT_NE(again, 0);
    EXPECT_EQ(Open("Work:rw", MODE_NEWFILE), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
    Close(again);
    EXPECT_EQ(Write(rw, "abc", 3), 3);
    Close(rw);
    BPTR nf = Open("Work:rw", MODE_NEWFILE); // emptied, and held exclusively
    ASSERT_NE(nf, 0);
    EXPECT_EQ(Open("Work:rw", MODE_OLDFILE), 0);
    EXPECT_EQ(Lock("Work:rw", SHARED_LOCK), 0);
    Close(nf);
    EXPECT_EQ(read_file(work("rw")), "");
    fs::create_directories(work("dir"));
    EXPECT_EQ(Open("Work:dir", MODE_OLDFILE), 0);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
    EXPECT_EQ(standin::open_files(), 0);
}

TEST_F(Files, ReadWriteAndBufferedCallsShareOnePosition)
{
    BPTR fh = Open("Work:f", MODE_NEWFILE);
    ASSERT_NE(fh, 0);
    EXPECT_EQ(FPuts(fh, "line one\n"), 0);
    EXPECT_EQ(FPutC(fh, 'Z'), 'Z');
    EXPECT_EQ(Write(fh, "\n", 1), 1);
    // The size is current while the file is open.
    struct ExamineData *exd = ExamineObjectTags(EX_FileHandleInput, fh, TAG_END);
    ASSERT_NE(exd, nullptr);
    EXPECT_EQ(exd->FileSize, 11);
    FreeDosObject(DOS_EXAMINEDATA, exd);
    EXPECT_EQ(Close(fh), DOSTRUE);

    fh = Open("Work:f", MODE_OLDFILE);
    char buf[16];
    EXPECT_EQ(Read(fh, buf, 4), 4);
    EXPECT_EQ(std::string(buf, 4), "line");
    EXPECT_EQ(FGetC(fh), ' ');
    EXPECT_STREQ(FGets(fh, buf, sizeof(buf)), "one\n");
    EXPECT_STREQ(FGets(fh, buf, sizeof(buf)), "Z\n");
    EXPECT_EQ(Read(fh, buf, sizeof(buf)), 0);
    EXPECT_EQ(FGetC(fh), ENDSTREAMCH);
    Close(fh);
}

TEST_F(Files, FGetsSplitsLongLinesAndKeepsLineEnds)
{
    std::string text(2500, 'x');
    text += "\nab\r\nlast";
    write_file(work("lines"), text);
    BPTR fh = Open("Work:lines", MODE_OLDFILE);
    ASSERT_NE(fh, 0);
    char buf[1024];
    std::vector<std::string> pieces;
    SetIoErr(99);
    while (FGets(fh, buf, sizeof(buf)))
        pieces.push_back(buf);
    EXPECT_EQ(IoErr(), 0); // the end of the file is no error
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[0].size(), 1023u);
    EXPECT_EQ(pieces[1].size(), 1023u);
    EXPECT_EQ(pieces[2], std::string(454, 'x') + "\n");
    EXPECT_EQ(pieces[3], "ab\r\n");
    EXPECT_EQ(pieces[4], "last");
    Close(fh);
}

TEST_F(Files, FaultTextsAndPrintFault)
{
    const struct {
        LONG code;
        const char *text;
    } cases[] = {
        {ERROR_NO_FREE_STORE, "not enough memory"},
        {ERROR_OBJECT_IN_USE, "object in use"},
        {ERROR_OBJECT_EXISTS, "object already exists"},
        {ERROR_DIR_NOT_FOUND, "directory not found"},
        {ERROR_OBJECT_NOT_FOUND, "object not found"},
        {ERROR_OBJECT_WRONG_TYPE, "object not of required type"},
        {ERROR_DISK_WRITE_PROTECTED, "disk is write-protected"},
        {ERROR_DIRECTORY_NOT_EMPTY, "directory not empty"},
        {ERROR_DISK_FULL, "disk is full"},
        {ERROR_DELETE_PROTECTED, "file is protected from deletion"},
        {ERROR_WRITE_PROTECTED, "file is write protected"},
        {ERROR_READ_PROTECTED, "file is read protected"},
        {4711, "Error code 4711"},
    };
    char buf[100];
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(Fault(c.code, nullptr, buf, sizeof(buf)), static_cast<LONG>(std::strlen(c.text)));
        EXPECT_STREQ(buf, c.text);
    }
    EXPECT_EQ(Fault(ERROR_OBJECT_NOT_FOUND, "Copy", buf, 10), 9); // cut to the buffer
    EXPECT_STREQ(buf, "Copy: obj");

    testing::internal::CaptureStdout();
    std::printf("before\n");
    PrintFault(ERROR_OBJECT_NOT_FOUND, nullptr);
    PrintFault(ERROR_DISK_FULL, "Trivelo");
    std::printf("after\n");
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "before\nobject not found\nTrivelo: disk is full\nafter\n");
    EXPECT_EQ(IoErr(), ERROR_DISK_FULL);
}

TEST_F(Files, OutputWritesToStandardOutputInOrder)
{
    testing::internal::CaptureStdout();
    std::printf("a");
    std::fflush(stdout);
    FPuts(Output(), "b");
    Write(Output(), "c\n", 2);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "abc\n");
}

} // namespace

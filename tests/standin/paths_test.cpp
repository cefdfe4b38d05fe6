// Amiga paths over host folders: volumes, relative names, parent steps, current directory.
#include <proto/dos.h>
#include <proto/exec.h>

#include "standin_fixture.h"

namespace {

struct PathCase {
    const char *path;
    const char *host; // relative to Work's host folder; nullptr when the path must fail
    LONG error;
};

class Paths : public Standin {
protected:
    void SetUp() override
    {
        Standin::SetUp();
        write_file(work("Games/Trivelo"), "game");
        fs::create_directories(work("Games/data"));
    }

    // Where a path leads, as the host path relative to Work's folder ("" for Work's root).
    std::string where(const char *path)
    {
        BPTR lock = Lock(path, SHARED_LOCK);
        if (!lock)
            return "!";
        const std::string host = standin::host_path(path);
        UnLock(lock);
        return fs::path(host).lexically_relative(work()).generic_string();
    }
};

TEST_F(Paths, ResolveUnderVolumesAndTheCurrentDirectory)
{
    BPTR data = Lock("Work:Games/data", SHARED_LOCK);
    ASSERT_NE(data, 0);
    BPTR old = CurrentDir(data);
    const PathCase cases[] = {
        {"Work:", ".", 0},
        {"work:GAMES", "Games", 0},               // volume and names compare without case
        {"Work:Games/", "Games", 0},              // a trailing slash names the drawer itself
        {"Work:games/trivelo", "Games/Trivelo", 0},
        {"Work:Games/data//Trivelo", "Games/Trivelo", 0}, // an empty name is the parent
        {"", "Games/data", 0},                    // the current directory
        {"/Trivelo", "Games/Trivelo", 0},         // a leading slash is the parent
        {"//", ".", 0},                           // two are the grandparent
        {":Games", "Games", 0},                   // the root of the current directory's volume
        {"Work:/Games", nullptr, ERROR_OBJECT_NOT_FOUND}, // nothing above a root
        {"Work:Games/missing", nullptr, ERROR_OBJECT_NOT_FOUND},
        {"Work:missing/x", nullptr, ERROR_DIR_NOT_FOUND},
        {"Work:Games/Trivelo/x", nullptr, ERROR_OBJECT_WRONG_TYPE},
        {"Nowhere:Games", nullptr, ERROR_DEVICE_NOT_MOUNTED},
        {"Work:Games/../Games", nullptr, ERROR_INVALID_COMPONENT_NAME}, // ".." is no escape from a volume
        {"Work:a:b", nullptr, ERROR_INVALID_COMPONENT_NAME},
    };
    for (const PathCase &c : cases) {
        SCOPED_TRACE(c.path);
        SetIoErr(0);
        if (c.host) {
            EXPECT_EQ(where(c.path), c.host);
        } else {
            EXPECT_EQ(Lock(c.path, SHARED_LOCK), 0);
            EXPECT_EQ(IoErr(), c.error);
        }
    }
    CurrentDir(old);
    UnLock(data);
}

TEST_F(Paths, RelativeNamesStartInTheHostWorkingDirectory)
{
    const fs::path saved = fs::current_path();
    fs::current_path(work("Games"));
    BPTR lock = Lock("data", SHARED_LOCK);
    EXPECT_NE(lock, 0);
    UnLock(lock);
    lock = Lock("/Games/Trivelo", SHARED_LOCK); // inside a volume the parent steps stay on it
    EXPECT_NE(lock, 0);
    UnLock(lock);
    fs::current_path(saved);
}

TEST_F(Paths, RamIsAFreshFolderWithATDrawer)
{
    const std::string first = standin::volume_host_dir("RAM");
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(fs::is_directory(fs::path(first) / "T"));
    BPTR dir = CreateDir("RAM:T/Felgrove");
    EXPECT_NE(dir, 0);
    UnLock(dir);
    standin::reset(); // a fresh start gets a new, empty RAM
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(Lock("RAM:T/Felgrove", SHARED_LOCK), 0);
    EXPECT_NE(standin::volume_host_dir("ram"), first);
}

TEST_F(Paths, NewNamesKeepTheirCaseAndFindExistingObjectsWithout)
{
    BPTR fh = Open("Work:Games/NewFile", MODE_NEWFILE);
    ASSERT_NE(fh, 0);
    Close(fh);
    EXPECT_TRUE(fs::exists(work("Games/NewFile")));
    fh = Open("WORK:games/newfile", MODE_NEWFILE); // the existing file is emptied, not a second one made
    ASSERT_NE(fh, 0);
    Close(fh);
    int entries = 0;
    for (auto &e : fs::directory_iterator(work("Games")))
        entries += e.path().filename() == "NewFile" || e.path().filename() == "newfile";
    EXPECT_EQ(entries, 1);
}

} // namespace

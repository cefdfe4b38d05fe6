// A fresh stand-in for each test, with the volume Work: on an empty temporary host folder.
#ifndef STANDIN_FIXTURE_H
#define STANDIN_FIXTURE_H

#include <gtest/gtest.h>
#include <standin/standin.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

class Standin : public ::testing::Test {
protected:
    fs::path tmp;

    void SetUp() override
    {
        standin::reset();
        std::random_device rd;
        tmp = fs::temp_directory_path() / ("standin-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(tmp / "work");
        standin::set_volume("Work", (tmp / "work").string());
    }

    void TearDown() override
    {
        standin::reset();
        std::error_code ec;
        for (fs::recursive_directory_iterator it(tmp, ec), end; !ec && it != end; it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(tmp, ec);
    }

    fs::path work(const std::string &rel = "") const { return rel.empty() ? tmp / "work" : tmp / "work" / rel; }

    void write_file(const fs::path &p, const std::string &bytes) const
    {
        fs::create_directories(p.parent_path());
        std::ofstream out(p, std::ios::binary);
        out << bytes;
    }

    static std::string read_file(const fs::path &p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

#endif

#pragma once

// A test with a private folder of its own, emptied before and removed after each test, and the small
// file moves the tests make in it.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>

namespace selektor::test {

class DirectoryTest : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        // The process number keeps two runs of the same test (two builds at once) out of each other's way.
        m_dir = std::filesystem::path(testing::TempDir()) / ("selektor_" + std::to_string(getpid()) + "_" + name);
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    const std::filesystem::path& directory() const { return m_dir; }
    static std::string bytesOf(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void writeBytes(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    // The names in the folder: what a save left behind.
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path m_dir;
};

} // namespace selektor::test

#pragma once

// A fresh folder for each test that touches the disk, and small file helpers.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace mirvane::testing {

namespace fs = std::filesystem;

inline std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The names in the folder, sorted.
inline std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline void put(const fs::path& file, std::string_view bytes = "") {
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

// A new empty folder under the system's temporary folder, named from the prefix.
inline fs::path freshFolder(std::string_view prefix) {
    static unsigned counter = 0;
    for (;;) {
        const fs::path folder =
            fs::temp_directory_path() /
            (std::string(prefix) + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        if (fs::create_directory(folder)) {
            return folder;
        }
    }
}

// The folder is named after the process and the test, and removed afterwards even
// where a test took the write permission away.
class TempFolderTest : public ::testing::Test {
protected:
    explicit TempFolderTest(std::string_view prefix) : prefix_(prefix) {}

    void SetUp() override {
        root = fs::temp_directory_path() /
               (prefix_ + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }

    void TearDown() override {
        std::error_code error;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
        for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
        fs::remove_all(root, error);
    }

    fs::path root;

private:
    std::string prefix_;
};

} // namespace mirvane::testing

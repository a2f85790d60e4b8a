#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stdlib.h>

namespace knowledge_test {

// Every program path is relative to the current folder, so each test runs
// in a fresh folder of its own.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "tovrek-knowledge-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::filesystem::current_path(folder_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

// Writes `content` byte for byte to `relativePath` (forward slashes),
// creating the folders on the way.
inline void WriteRaw(const std::filesystem::path& relativePath, const std::string& content) {
    if (relativePath.has_parent_path()) {
        std::filesystem::create_directories(relativePath.parent_path());
    }
    std::ofstream out(relativePath, std::ios::binary);
    out << content;
    ASSERT_TRUE(out.good()) << relativePath;
}

// Lines as the editor writes them: every line ended by CR LF.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace knowledge_test

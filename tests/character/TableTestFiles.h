#pragma once

// A fresh folder per test for the files a load reads.

#include "BmpFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tabletest {

class TempFolder {
public:
    TempFolder()
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        m_path = std::filesystem::path(testing::TempDir()) / "nimbrel_tables" / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a file in the folder.
    std::string operator/(std::string_view name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tabletest

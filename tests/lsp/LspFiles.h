#pragma once

// Scratch folders with a definition file beside a copy of the sample sheet,
// and the definition text that the feature tests share.

#include "character/NameText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace lsptest {

namespace fs = std::filesystem;

// Full-width text before and after numbers, faults of most kinds, and
// patterns in both numberings (10 in decimal is 0A in the lists).
inline const std::string kFaultyText = "メモ: テスト用のキャラクター\n"
                                       "#CHARNAME テスト 名前の残り\n"
                                       "#ANIME 80\n"
                                       "#CHARBMP sample.bmp\n"
                                       "#01 0 0 121 271\n"
                                       "#02 0 400 121 200 ＃ポーズ\n"
                                       "#10 0 280 40 40\n"
                                       "#PATTERN 01 0202\n"
                                       "#PATERN 01 02020A0\n"
                                       "#PATERN 02 0203 残り\n"
                                       "#PATERN 05 02ＡＢ\n"
                                       "  #LAYER 06 0A0A 0B0B\n"
                                       "#DATA 16\n"
                                       "#1A 0 0 40 40\n"
                                       "#LAYER 06 1A1A1A 1B1B\n"
                                       "#ANIME ８０\n";

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "nimbrel-lsp-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no scratch folder");
        m_dir = pattern;
        fs::copy_file(fs::path(NIMBREL_SOURCE_DIR) / "examples/sample/sample.bmp", m_dir / "sample.bmp");
    }
    ~ScratchFolder() { fs::remove_all(m_dir); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& dir() const { return m_dir; }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return (m_dir / name).string();
    }

private:
    fs::path m_dir;
};

} // namespace lsptest

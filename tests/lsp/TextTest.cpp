// The editor's text and the file's bytes: positions in both encodings,
// incremental changes, and the way from the reader's byte columns back to
// the editor's characters in Shift-JIS and UTF-8 files.

#include "lsp/DiskText.h"
#include "lsp/Document.h"

#include <gtest/gtest.h>

namespace {

using lsp::Document;
using lsp::Position;
using lsp::PositionEncoding;
using lsp::Range;

// "\t", a full-width letter (3 UTF-8 bytes, 1 UTF-16 unit, 2 Shift-JIS
// bytes), a half-width kana (3, 1, 1) and a character outside the BMP
// (4, 2, none).
const std::string kLine = "\tＡｶ\xF0\x9F\x98\x80x";

TEST(LspText, PositionsCountUnitsOfTheAgreedEncoding)
{
    const Document doc("head\r\n" + kLine + "\n\rlast");
    ASSERT_EQ(doc.lineCount(), 4u);
    EXPECT_EQ(doc.line(2), "");
    struct Case {
        std::size_t byte, utf16, utf8;
    };
    for (const Case c : { Case { 0, 0, 0 }, Case { 1, 1, 1 }, Case { 4, 2, 4 }, Case { 7, 3, 7 },
             Case { 11, 5, 11 }, Case { 12, 6, 12 } }) {
        EXPECT_EQ(doc.position({ 1, c.byte }, PositionEncoding::utf16), (Position { 1, c.utf16 })) << c.byte;
        EXPECT_EQ(doc.position({ 1, c.byte }, PositionEncoding::utf8), (Position { 1, c.utf8 })) << c.byte;
        EXPECT_EQ(doc.place({ 1, c.utf16 }, PositionEncoding::utf16).byte, c.byte);
        EXPECT_EQ(doc.place({ 1, c.utf8 }, PositionEncoding::utf8).byte, c.byte);
    }
    // Inside a surrogate pair or a UTF-8 sequence: the character's start;
    // past the line: its end.
    EXPECT_EQ(doc.place({ 1, 4 }, PositionEncoding::utf16).byte, 7u);
    EXPECT_EQ(doc.place({ 1, 2 }, PositionEncoding::utf8).byte, 1u);
    EXPECT_EQ(doc.place({ 1, 99 }, PositionEncoding::utf16).byte, 12u);
    EXPECT_EQ(doc.place({ 9, 0 }, PositionEncoding::utf16).line, 3u);
}

TEST(LspText, IncrementalChangesAddAndRemoveLines)
{
    Document doc("#ANIME 80\n#DATA 16\n#01 0 0 1 1\n");
    const auto utf16 = PositionEncoding::utf16;
    doc.replace(Range { { 1, 0 }, { 1, 0 } }, "#CHARNAME Ａ\n#CHARBMP a.bmp\n", utf16);
    EXPECT_EQ(doc.text(), "#ANIME 80\n#CHARNAME Ａ\n#CHARBMP a.bmp\n#DATA 16\n#01 0 0 1 1\n");
    doc.replace(Range { { 1, 10 }, { 2, 9 } }, "Ｂ", utf16); // across a line break
    EXPECT_EQ(doc.text(), "#ANIME 80\n#CHARNAME Ｂa.bmp\n#DATA 16\n#01 0 0 1 1\n");
    doc.replace(Range { { 0, 0 }, { 2, 0 } }, "", utf16);
    EXPECT_EQ(doc.text(), "#DATA 16\n#01 0 0 1 1\n");
    EXPECT_EQ(doc.lineCount(), 3u);
    doc.replace(Range { { 1, 11 }, { 5, 0 } }, "\r\n#02 1 1 1 1", utf16); // past the end
    EXPECT_EQ(doc.text(), "#DATA 16\n#01 0 0 1 1\r\n#02 1 1 1 1");
    EXPECT_EQ(doc.line(2), "#02 1 1 1 1");
    EXPECT_THROW(doc.replace(Range { { 1, 5 }, { 1, 2 } }, "x", utf16), lsp::BadChange);
}

TEST(LspText, ReaderColumnsMapBackToCharacters)
{
    const Document doc("#CHARNAME " + kLine + "\n#ANIME 80");
    const lsp::DiskText sjis(doc, lsp::Charset::shiftJis);
    const std::string expected = "#CHARNAME \t\x82\x60\xB6?x\n#ANIME 80";
    EXPECT_EQ(std::string(sjis.bytes().begin(), sjis.bytes().end()), expected);
    ASSERT_EQ(sjis.unencodable().size(), 1u);
    EXPECT_EQ(sjis.unencodable()[0].byte, 17u);
    // Column 12 is the lead byte of Ａ, 13 its trail byte.
    EXPECT_EQ(sjis.textByte(0, 12), 11u);
    EXPECT_EQ(sjis.textByte(0, 13), 11u);
    EXPECT_EQ(sjis.textByte(0, 13, true), 14u);
    EXPECT_EQ(sjis.textByte(0, 14), 14u);
    EXPECT_EQ(sjis.textByte(0, 17), 22u); // the end of the line
    EXPECT_EQ(sjis.textByte(0, 19), 24u); // two past it
    EXPECT_EQ(sjis.column(0, 14), 14u);
    EXPECT_EQ(sjis.column(0, 22), 17u);
    EXPECT_EQ(sjis.textByte(1, 3), 2u);

    const lsp::DiskText utf8(doc, lsp::Charset::utf8);
    EXPECT_EQ(std::string(utf8.bytes().begin(), utf8.bytes().end()), doc.text());
    EXPECT_TRUE(utf8.unencodable().empty());
    EXPECT_EQ(utf8.textByte(0, 12), 11u);
}

} // namespace

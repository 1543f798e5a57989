#include "lsp/DiskText.h"

#include "character/DefinitionReader.h"
#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace lsp {

namespace {

bool plainAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One converter for the whole run: documents are encoded on every change.
class Cp932Encoder {
public:
    Cp932Encoder()
        : m_cd(iconv_open("CP932", "UTF-8"))
    {
    }
    ~Cp932Encoder()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // The CP932 bytes of one character, appended; false when CP932 has none.
    bool encode(std::string_view character, std::vector<std::uint8_t>& out)
    {
        if (!ok())
            return false;
        std::string in(character);
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char buffer[16];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (r == static_cast<std::size_t>(-1) || inLeft != 0)
            return false;
        out.insert(out.end(), buffer, outPtr);
        return true;
    }

private:
    iconv_t m_cd;
};

Cp932Encoder& encoder()
{
    static Cp932Encoder instance;
    return instance;
}

} // namespace

Charset charsetOfFile(const std::string& path)
{
    try {
        // Capped as every reader of a definition file is: a file far too
        // large to be one is not held whole just to guess its charset.
        const std::vector<std::uint8_t> bytes = character::readDefinitionBytes(path);
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return !plainAscii(text) && platform::isValidUtf8(text) ? Charset::utf8 : Charset::shiftJis;
    } catch (const std::exception&) {
        return Charset::shiftJis;
    }
}

DiskText::DiskText(const Document& document, Charset charset)
{
    m_bytes.reserve(document.text().size());
    m_lines.resize(document.lineCount());
    for (std::size_t i = 0; i < document.lineCount(); ++i) {
        encodeLine(document.line(i), i, charset, m_lines[i]);
        const std::string_view lineBreak = document.lineBreak(i);
        m_bytes.insert(m_bytes.end(), lineBreak.begin(), lineBreak.end());
    }
}

void DiskText::encodeLine(std::string_view text, std::size_t line, Charset charset, LineMap& map)
{
    map.textLength = text.size();
    if (charset == Charset::utf8 || plainAscii(text)) {
        map.diskLength = text.size();
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return;
    }
    const std::size_t lineStart = m_bytes.size();
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = std::max<std::size_t>(1, platform::utf8SequenceLength(text.substr(i)));
        map.marks.push_back(
            Mark { static_cast<std::uint32_t>(m_bytes.size() - lineStart), static_cast<std::uint32_t>(i) });
        const std::string_view character = text.substr(i, n);
        if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
            m_bytes.push_back(static_cast<std::uint8_t>(character[0]));
        } else if (!encoder().encode(character, m_bytes)) {
            // The reader sees what a save would write in its place.
            m_bytes.push_back('?');
            m_unencodable.push_back(Unencodable { line, i, i + n });
        }
        i += n;
    }
    map.diskLength = m_bytes.size() - lineStart;
    map.marks.push_back(
        Mark { static_cast<std::uint32_t>(map.diskLength), static_cast<std::uint32_t>(text.size()) });
}

std::size_t DiskText::textByte(std::size_t line, std::size_t column, bool end) const
{
    const std::size_t disk = column == 0 ? 0 : column - 1;
    if (line >= m_lines.size())
        return disk;
    const LineMap& map = m_lines[line];
    if (disk >= map.diskLength)
        return map.textLength + (disk - map.diskLength);
    if (map.marks.empty())
        return disk;
    // The first character that starts after the column; the one before it
    // holds the column.
    auto after = std::upper_bound(
        map.marks.begin(), map.marks.end(), disk, [](std::size_t d, const Mark& m) { return d < m.disk; });
    const Mark& holder = *(after - 1);
    if (!end || holder.disk == disk)
        return holder.text;
    return after->text;
}

std::size_t DiskText::column(std::size_t line, std::size_t textByte) const
{
    if (line >= m_lines.size())
        return textByte + 1;
    const LineMap& map = m_lines[line];
    if (textByte >= map.textLength)
        return map.diskLength + (textByte - map.textLength) + 1;
    if (map.marks.empty())
        return textByte + 1;
    auto after = std::upper_bound(map.marks.begin(), map.marks.end(), textByte,
        [](std::size_t t, const Mark& m) { return t < m.text; });
    return (after - 1)->disk + 1;
}

} // namespace lsp

#pragma once

// A definition sink that writes every item down as a short line of text, so
// tests compare whole item sequences, and the outcome of a parse: its items
// and, when it failed, the error class and message.

#include "character/DefinitionReader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace readertest {

class RecordingSink : public character::DefinitionSink {
public:
    std::vector<std::string> items;

    void characterName(std::string_view name, const character::SourceRange&) override
    {
        add("name " + std::string(name));
    }
    void frameInterval(std::int32_t ms, const character::SourceRange&) override
    {
        add("interval " + std::to_string(ms));
    }
    void hexNumberingOn(const character::SourceRange&) override { add("hex"); }
    void sheetName(std::string_view name, const character::SourceRange&) override
    {
        add("sheet " + std::string(name));
    }
    void baseFrame(int a, int k, std::int32_t p, const character::SourceRange&) override
    {
        add(frame("base", a, k, p));
    }
    void baseListEnd(int a, const character::SourceRange&, const character::SourceRange&) override
    {
        add("base end " + std::to_string(a));
    }
    void layerFrame(int a, int k, std::int32_t p, const character::SourceRange&) override
    {
        add(frame("layer", a, k, p));
    }
    void placementFrame(int a, int k, std::int32_t p, const character::SourceRange&) override
    {
        add(frame("placement", a, k, p));
    }
    void layerListsEnd(int a, const character::SourceRange&, const character::SourceRange&,
        const character::SourceRange&) override
    {
        add("layer end " + std::to_string(a));
    }
    void pattern(int n, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
        const PatternPlaces&) override
    {
        add("pattern " + std::to_string(n) + ": " + std::to_string(left) + " " + std::to_string(top) + " "
            + std::to_string(width) + " " + std::to_string(height));
    }

private:
    void add(std::string item) { items.push_back(std::move(item)); }
    static std::string frame(const char* kind, int a, int k, std::int32_t p)
    {
        return std::string(kind) + " " + std::to_string(a) + "/" + std::to_string(k) + " = "
            + std::to_string(p);
    }
};

struct Outcome {
    std::vector<std::string> items;
    std::string error; // "" on success, else "<class>: <message>"
};

inline std::span<const std::uint8_t> bytesOf(std::string_view text)
{
    return { reinterpret_cast<const std::uint8_t*>(text.data()), text.size() };
}

inline Outcome parse(std::string_view text)
{
    RecordingSink sink;
    Outcome out;
    try {
        character::parseDefinition(bytesOf(text), sink);
    } catch (const EConvertError& e) {
        out.error = "EConvertError: " + e.Message();
    } catch (const character::ERangeError& e) {
        out.error = "ERangeError: " + e.Message();
    }
    out.items = std::move(sink.items);
    return out;
}

inline std::string convertError(std::string_view text)
{
    return "EConvertError: '" + std::string(text) + "' は数値ではありません";
}

using Items = std::vector<std::string>;

} // namespace readertest

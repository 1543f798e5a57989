#pragma once

// What the command-line checker and slicer share: their two report formats,
// and the way a tool answers a usage error, --help and --version, and turns
// anything unforeseen (memory running out) into a message and status 1
// rather than an abort.

#include "platform/ErrorText.h"
#include "platform/Text.h"

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tool {

enum class Format { text, json };

// Raises std::invalid_argument for any name but "text" and "json".
inline Format formatNamed(const std::string& name)
{
    if (name == "text")
        return Format::text;
    if (name == "json")
        return Format::json;
    throw std::invalid_argument("unknown format: " + name);
}

// `parse` takes the arguments after the program's name and raises
// std::invalid_argument for a usage error; what it gives has `help` and
// `version`, and `run` takes it and gives the exit status.
template <class Parse, class Run>
int runTool(std::string_view name, const char* usage, int argc, char** argv, Parse parse, Run run)
{
    decltype(parse(std::vector<std::string>())) options;
    try {
        options = parse(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << name << ": " << platform::withVisibleControls(e.what()) << "\n" << usage;
        return 2;
    }
    if (options.help) {
        std::cout << usage;
        return 0;
    }
    if (options.version) {
        std::cout << name << " " << NIMBREL_VERSION << "\n";
        return 0;
    }
    try {
        return run(options);
    } catch (const std::exception& e) {
        std::cerr << name << ": " << platform::errorMessage(e) << "\n";
    } catch (...) {
        std::cerr << name << ": " << platform::kSUnexpectedError << "\n";
    }
    return 1;
}

} // namespace tool

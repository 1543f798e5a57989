#include "JsonReport.h"

#include "check/TextReport.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace checktool {

std::string jsonLine(std::string_view path, const check::Diagnostic& d)
{
    const std::size_t column = std::max<std::size_t>(d.at.column, 1);
    nlohmann::ordered_json object;
    object["file"] = path;
    object["line"] = std::max<std::size_t>(d.at.line, 1);
    object["column"] = column;
    object["endColumn"] = std::max(d.at.endColumn, column);
    object["severity"] = check::severityName(d.severity);
    object["code"] = d.code;
    object["message"] = d.message;
    // A path need not be UTF-8; the JSON text must be.
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace checktool

#include "lsp/Features.h"

#include "check/TextReport.h"
#include "lsp/Server.h"

namespace lsp {

Json toJson(const Position& position)
{
    return Json { { "line", position.line }, { "character", position.character } };
}

Json toJson(const Range& range)
{
    return Json { { "start", toJson(range.start) }, { "end", toJson(range.end) } };
}

Position positionOf(const Json& position)
{
    const auto count = [&](const char* name) {
        const std::int64_t n = position.at(name).get<std::int64_t>();
        if (n < 0)
            throw Json::other_error::create(501, std::string("negative ") + name, nullptr);
        return static_cast<std::size_t>(n);
    };
    return Position { count("line"), count("character") };
}

Json Context::range(const SourceRange& at) const
{
    return toJson(document.range(at, client.encoding));
}

std::pair<std::size_t, std::size_t> Context::column(const Json& position) const
{
    return document.column(positionOf(position), client.encoding);
}

Json diagnostics(const Context& context)
{
    Json out = Json::array();
    for (const check::Diagnostic& d : context.analysis.report.diagnostics) {
        out.push_back(Json {
            { "range", context.range(d.at) },
            { "severity", d.severity == check::Severity::error ? 1 : 2 },
            { "code", d.code },
            { "source", "nimbrel" },
            { "message", d.message },
        });
    }
    return out;
}

} // namespace lsp

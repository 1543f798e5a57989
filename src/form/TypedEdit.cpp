#include "form/TypedEdit.h"

#include <algorithm>

namespace form {

namespace {

std::size_t commonPrefix(std::u32string_view a, std::u32string_view b)
{
    const auto [ai, bi] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(ai - a.begin());
}

// How many characters at the end of `after` are the unchanged end of
// `before`. The cursor ends what the edit inserted, so the rest of `after`
// is normally that unchanged end; an edit that is not an insertion at the
// cursor (an undo) falls back to the longest common end.
std::size_t unchangedEnd(std::u32string_view before, std::u32string_view after, std::size_t cursor)
{
    const std::u32string_view rest = after.substr(cursor);
    if (rest.size() <= before.size() && before.substr(before.size() - rest.size()) == rest)
        return rest.size();
    std::size_t end = 0;
    const std::size_t most = std::min(before.size(), after.size());
    while (end < most && before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    return end;
}

} // namespace

TypedEdit limitTypedEdit(
    std::u32string_view before, std::u32string_view after, std::size_t cursor, std::size_t limit)
{
    cursor = std::min(cursor, after.size());
    if (limit == 0 || after.size() <= limit)
        return { std::u32string(after), cursor };
    const std::size_t end = unchangedEnd(before, after, cursor);
    const std::size_t insertEnd = after.size() - end;
    // A common start may swallow the first inserted characters; the text that
    // results is the same either way, as typing keeps a prefix of them.
    const std::size_t start = commonPrefix(before.substr(0, before.size() - end), after.substr(0, insertEnd));
    const std::size_t inserted = insertEnd - start;
    if (inserted == 0)
        return { std::u32string(after), cursor };
    const std::size_t kept = start + end;
    const std::size_t room = limit > kept ? limit - kept : 0;
    if (room == 0)
        return { std::u32string(before), std::min(start, before.size()) };
    std::u32string text(after.substr(0, start + std::min(room, inserted)));
    text += after.substr(insertEnd);
    return { std::move(text), start + std::min(room, inserted) };
}

} // namespace form

#pragma once

// The length limit of an edit box as the platform's edit box keeps it: the
// limit counts what the user types, never what the program sets. A typed
// key that would leave more characters than the limit is refused, a deletion
// is always allowed, and a paste keeps what typing its characters one by one
// would have kept.

#include <cstddef>
#include <string>
#include <string_view>

namespace form {

struct TypedEdit {
    std::u32string text;
    std::size_t cursor;
};

// The text that the user's edit of `before` leaves, given the text `after`
// that the edit would leave and the cursor in it (just after what the edit
// inserted). Texts and the cursor count characters. A limit of 0 is none.
TypedEdit limitTypedEdit(
    std::u32string_view before, std::u32string_view after, std::size_t cursor, std::size_t limit);

} // namespace form

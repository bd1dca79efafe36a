// The nesting of a text, measured in one pass before it is read: a text too
// deep to read is refused at once, instead of after the recursive reading has
// scanned the text once per level.
#pragma once

#include <optional>
#include <string_view>

namespace symcalc {

// A text nests one level per open bracket of any kind and one per leading
// minus of an atom, the text itself being the first level. When some point
// lies deeper than kMaxNesting, the part read at that level: the trimmed
// content of the bracket, or the atom from its minus; otherwise nothing.
std::optional<std::string_view> PartTooDeep(std::string_view text);

}  // namespace symcalc

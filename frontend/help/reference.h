// The reference a user reads inside the window: one entry per builtin, per
// constant, per part of the language and per worksheet key, written for
// people who have not read the engine's code. Plain data; nothing here calls
// the engine.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace symcalc::gui::help {

enum class Topic : std::uint8_t {
  Arithmetic,
  TypeTests,
  Trigonometry,
  Rounding,
  NumberTheory,
  Arrays,
  Sets,
  Calculus,
  ExpressionAccess,
  Plotting,
  Constants,
  Operators,
  Literals,
  Definitions,
  Keys,
};
inline constexpr int kTopicCount = static_cast<int>(Topic::Keys) + 1;

std::string_view TopicTitle(Topic topic);

enum class EntryKind : std::uint8_t {
  Builtin,   // a function of the engine's registry (or the window's plot)
  Constant,  // a name the engine starts with
  Language,  // operators, literal forms, definitions, ans
  Key,       // a key or word of the worksheet
};

// A worksheet line and the text of its values, joined by "; " when the line
// has several pieces. Examples run in a fresh engine, so they may define
// names of their own.
struct Example {
  std::string_view line;
  std::string_view result;
};

struct HelpEntry {
  std::string_view name;  // what the index shows
  Topic topic;
  EntryKind kind;
  // How to write it: for a function its parameters, optional ones in square
  // brackets ("atan(y, [x])").
  std::string_view usage;
  std::string_view description;
  std::vector<Example> examples;
  std::vector<std::string_view> seeAlso;  // names of other entries
  // Further words that lead here from F1 (the name always does).
  std::vector<std::string_view> aliases = {};
};

// Every entry, grouped by topic in the order of Topic.
const std::vector<HelpEntry>& Reference();

// The entry a word leads to (its name or an alias), if any.
const HelpEntry* FindEntry(std::string_view word);
// The builtin's entry of that name, if any.
const HelpEntry* FindBuiltin(std::string_view name);

// How many arguments a function written as `usage` takes.
struct Arity {
  int most = 0;
  int optional = 0;
};
std::optional<Arity> ArityOf(std::string_view usage);
// The parameters of a function's usage line, each as written ("[x]").
std::vector<std::string_view> ParametersOf(std::string_view usage);

// The parts of the reference, one per file.
std::vector<HelpEntry> NumericEntries();
std::vector<HelpEntry> StructureEntries();
std::vector<HelpEntry> SymbolicEntries();
std::vector<HelpEntry> LanguageEntries();

}  // namespace symcalc::gui::help

// The engine's folders are layers: values, then eval with the engine state,
// then builtins, syntax and the API. A file may include headers of its own
// layer and the layers below it, and anyone may include the public headers.
// These tests read every #include of the engine's sources.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace symcalc::testing {
namespace {

namespace fs = std::filesystem;

struct Layer {
  const char* folder;
  int rank;
};

// From the bottom up; folders of one rank may include each other.
constexpr Layer kLayers[] = {{"values", 0}, {"eval", 1},   {"state", 1},
                             {"builtins", 2}, {"syntax", 3}, {"api", 4}};

std::string FirstComponent(const std::string& path) { return path.substr(0, path.find('/')); }

std::optional<int> RankOf(const std::string& folder) {
  for (const Layer& l : kLayers)
    if (folder == l.folder) return l.rank;
  return std::nullopt;
}

// Why `file` (relative to the engine folder) may not include `header`, or
// an empty text when it may.
std::string Objection(const std::string& file, const std::string& header) {
  const std::string from = FirstComponent(file);
  const std::string to = FirstComponent(header);
  if (from == "include") return to == "symcalc" ? "" : "a public header reaches into the engine";
  const std::optional<int> fromRank = RankOf(from);
  if (!fromRank) return "folder " + from + " is in no layer";
  if (to == "symcalc") return "";
  const std::optional<int> toRank = RankOf(to);
  if (!toRank) return "folder " + to + " is in no layer";
  return *toRank > *fromRank ? from + " lies below " + to : "";
}

TEST(Layering, RuleJudgesIncludes) {
  struct Case {
    const char* file;
    const char* header;
    bool allowed;
  };
  const Case cases[] = {
      {"values/records.cpp", "state/engine_state.h", false},
      {"values/constructors.cpp", "eval/simplify.h", false},
      {"eval/simplify.cpp", "builtins/builtins.h", false},
      {"state/builtin_table.cpp", "builtins/builtins.h", false},
      {"builtins/sets.cpp", "syntax/parser.h", false},
      {"syntax/parser.cpp", "api/anything.h", false},
      {"include/symcalc/engine.h", "values/value.h", false},
      {"misc/helpers.cpp", "values/value.h", false},
      {"eval/helpers.cpp", "misc/helpers.h", false},
      {"state/engine_state.h", "eval/like_table.h", true},
      {"eval/coefficients.h", "state/engine_state.h", true},
      {"syntax/parser.cpp", "builtins/builtins.h", true},
      {"api/api.cpp", "syntax/parser.h", true},
      {"values/value.h", "symcalc/engine.h", true},
      {"include/symcalc/engine.h", "symcalc/value_type.h", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Objection(c.file, c.header).empty(), c.allowed) << c.file << " -> " << c.header;
}

TEST(Layering, NoEngineFileIncludesAHigherLayer) {
  const fs::path root = SYMCALC_ENGINE_SOURCE_DIR;
  const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  int files = 0;
  int includes = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
    ++files;
    const std::string file = fs::relative(entry.path(), root).generic_string();
    std::ifstream in(entry.path());
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, m, include)) continue;
      ++includes;
      const std::string why = Objection(file, m[1]);
      EXPECT_TRUE(why.empty()) << file << " includes " << m[1] << ": " << why;
    }
  }
  // The walk found the sources: an empty walk would pass vacuously.
  EXPECT_GT(files, 50);
  EXPECT_GT(includes, 150);
}

}  // namespace
}  // namespace symcalc::testing

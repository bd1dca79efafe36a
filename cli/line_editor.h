// Line editing on a terminal through libedit: the arrow keys and the Emacs
// keys edit the line, Up and Down walk through this session's lines, Tab
// completes names. Nothing is kept after the session ends.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct editline;
struct history;

namespace symcalc_cli {

enum class EditedLine {
  Line,       // a line was entered
  Abandoned,  // Ctrl+C at the prompt dropped the half-typed line
  End,        // Ctrl+D on an empty line, or the terminal went away
};

class LineEditor {
 public:
  LineEditor(const char* program, std::FILE* in, std::FILE* out);
  ~LineEditor();
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  EditedLine Next(std::string& line);

  // Tab: a single fitting name is completed; of several, the first is put in
  // and all are listed, and each further Tab puts in the next one instead.
  unsigned char Complete();

 private:
  // The names the last Tab offered, while the line stays as that Tab left it.
  struct Choices {
    std::vector<std::string> names;
    std::size_t typed = 0;  // the part of each name the user had typed
    std::size_t shown = 0;  // the name now in the line
    std::string lineAfter;
    std::size_t cursorAfter = 0;
  };

  editline* editor_;
  history* history_;
  std::FILE* out_;
  Choices choices_;
};

}  // namespace symcalc_cli

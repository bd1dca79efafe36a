#include "line_editor.h"

#include <histedit.h>

#include <cerrno>
#include <clocale>

#include "completion.h"
#include "interrupts.h"
#include "symcalc/engine.h"

namespace symcalc_cli {
namespace {

constexpr int kHistoryLines = 1000;

const char* Prompt(EditLine*) { return "> "; }

unsigned char CompleteAtCursor(EditLine* editor, int) {
  void* self = nullptr;
  el_get(editor, EL_CLIENTDATA, &self);
  return static_cast<LineEditor*>(self)->Complete();
}

std::string_view LineOf(const LineInfo* info) {
  return {info->buffer, static_cast<std::size_t>(info->lastchar - info->buffer)};
}

std::size_t CursorOf(const LineInfo* info) {
  return static_cast<std::size_t>(info->cursor - info->buffer);
}

// The names the session knows now: the builtins and the user's definitions.
NameCandidates CandidatesAt(std::string_view beforeCursor) {
  std::vector<std::string> functions;
  for (symcalc::FunctionInfo& f : symcalc::RegisteredFunctions())
    functions.push_back(std::move(f.name));
  std::vector<std::string> variables;
  for (symcalc::VariableInfo& v : symcalc::VariableBindings())
    variables.push_back(std::move(v.name));
  return FindCandidates(beforeCursor, functions, variables);
}

}  // namespace

LineEditor::LineEditor(const char* program, std::FILE* in, std::FILE* out)
    : editor_(nullptr), history_(history_init()), out_(out) {
  // libedit reads and shows UTF-8 text ("ÀB") by the character only in the
  // user's locale. Only the character type is taken from it: numbers are
  // still printed the same everywhere.
  std::setlocale(LC_CTYPE, "");
  editor_ = el_init(program, in, out, stderr);
  HistEvent event;
  history(history_, &event, H_SETSIZE, kHistoryLines);
  history(history_, &event, H_SETUNIQUE, 1);
  el_set(editor_, EL_CLIENTDATA, static_cast<void*>(this));
  el_set(editor_, EL_EDITOR, "emacs");
  el_set(editor_, EL_PROMPT, Prompt);
  el_set(editor_, EL_HIST, history, history_);
  el_set(editor_, EL_ADDFN, "symcalc-complete", "Complete a function or variable name",
         CompleteAtCursor);
  el_set(editor_, EL_BIND, "^I", "symcalc-complete", nullptr);
  // ~/.editrc may rebind keys for this program, as for every libedit program.
  el_source(editor_, nullptr);
}

LineEditor::~LineEditor() {
  el_end(editor_);
  history_end(history_);
}

EditedLine LineEditor::Next(std::string& line) {
  // The window may have been resized while the last line ran.
  el_resize(editor_);
  int count = 0;
  const char* text = nullptr;
  for (;;) {
    errno = 0;
    text = el_gets(editor_, &count);
    if (text && count > 0) break;
    if (count >= 0 || errno != EINTR) return EditedLine::End;
    if (TakeInterrupt()) {
      std::fputs("^C\n", out_);
      std::fflush(out_);
      return EditedLine::Abandoned;
    }
  }
  line.assign(text, static_cast<std::size_t>(count));
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (line.find_first_not_of(" \t") != std::string::npos) {
    HistEvent event;
    history(history_, &event, H_ENTER, line.c_str());
  }
  return EditedLine::Line;
}

unsigned char LineEditor::Complete() {
  const LineInfo* info = el_line(editor_);
  bool list = false;
  if (!choices_.names.empty() && LineOf(info) == choices_.lineAfter &&
      CursorOf(info) == choices_.cursorAfter) {
    const std::string& shown = choices_.names[choices_.shown];
    el_deletestr(editor_, static_cast<int>(shown.size() - choices_.typed));
    choices_.shown = (choices_.shown + 1) % choices_.names.size();
  } else {
    NameCandidates found = CandidatesAt(LineOf(info).substr(0, CursorOf(info)));
    choices_ = Choices();
    choices_.names = std::move(found.names);
    choices_.typed = found.typed;
    if (choices_.names.empty()) return CC_ERROR;
    list = choices_.names.size() > 1;
  }
  const std::string rest = choices_.names[choices_.shown].substr(choices_.typed);
  if (!rest.empty() && el_insertstr(editor_, rest.c_str()) != 0) return CC_ERROR;
  info = el_line(editor_);
  choices_.lineAfter = LineOf(info);
  choices_.cursorAfter = CursorOf(info);
  if (!list) return CC_REFRESH;
  std::fputc('\n', out_);
  for (const std::string& name : choices_.names) std::fprintf(out_, "%s  ", name.c_str());
  std::fputc('\n', out_);
  std::fflush(out_);
  return CC_REDISPLAY;
}

}  // namespace symcalc_cli

// symcalc: the worksheet window.
#include <QApplication>
#include <QScreen>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "application.h"
#include "engine_thread.h"
#include "main_window.h"
#include "worksheet.h"

namespace {

constexpr std::chrono::milliseconds kExitPatience{1000};

constexpr const char* kUsage =
    "Usage: symcalc [--help] [--version]\n"
    "Opens the symcalc worksheet. Type an expression and press Return; Up and Down\n"
    "move between lines, Ctrl+M copies the last result, Esc interrupts a computation,\n"
    "F1 opens the reference of every builtin, Ctrl+Shift+C copies a line's results\n"
    "as text, LaTeX and picture, \"end\" or \"quit\" closes.\n"
    "Without a display, use symcalc-cli.\n";

int RunWorksheet(QApplication& app) {
  const QStringList arguments = app.arguments();
  if (arguments.size() > 1) {
    std::fprintf(stderr, "symcalc: unknown option '%s'\n%s", qPrintable(arguments.at(1)), kUsage);
    return 2;
  }
  // Lets desktops match the window to symcalc.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("symcalc"));
  symcalc::gui::EngineThread engine;
  int status = 0;
  {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const auto fonts = symcalc::gui::LoadWorksheetFonts(screen ? screen->logicalDotsPerInchY() : 96);
    symcalc::gui::MainWindow window(fonts);
    window.Centre();
    window.show();
    status = app.exec();
  }  // the worksheet hands its values back to the engine's thread
  // A computation interrupted by the closing window normally ends at once;
  // one deaf to the request must not keep a closed window's process alive.
  if (!engine.Stop(kExitPatience)) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (!std::strcmp(argv[i], "--version")) {
      std::puts("symcalc " SYMCALC_VERSION);
      return 0;
    }
  }
  return symcalc::gui::RunApplication(argc, argv, RunWorksheet);
}

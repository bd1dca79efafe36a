#include "application.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#include "symcalc/engine.h"

namespace symcalc::gui {
namespace {

struct Startup {
  int argc;
  char** argv;
  const std::function<int(QApplication&)>* body;
};

QtMessageHandler g_previousHandler = nullptr;

// The toolkit ends the process with abort() and a hint to reinstall when no
// platform can be opened; replace that with an exit the user can act on.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    if (display && *display)
      std::fprintf(stderr,
                   "symcalc: the worksheet window cannot be opened: the display %s cannot be "
                   "reached.\n",
                   display);
    else
      std::fputs("symcalc: the worksheet window cannot be opened: no display is available "
                 "(DISPLAY is not set).\n",
                 stderr);
    std::fputs("symcalc: run symcalc-cli to use the calculator without a window.\n", stderr);
    std::fflush(stderr);
    std::_Exit(kNoDisplayStatus);
  }
  if (g_previousHandler) {
    g_previousHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

int RunOnThisThread(void* data) {
  auto* startup = static_cast<Startup*>(data);
  g_previousHandler = qInstallMessageHandler(StartupMessageHandler);
  QApplication app(startup->argc, startup->argv);
  qInstallMessageHandler(g_previousHandler);
  return (*startup->body)(app);
}

}  // namespace

int RunApplication(int argc, char** argv, const std::function<int(QApplication&)>& body) {
  Startup startup{argc, argv, &body};
  return RunWithLargeStack(RunOnThisThread, &startup);
}

}  // namespace symcalc::gui

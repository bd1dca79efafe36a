// symcalc-screenshot OUT.png LINE...: evaluates the lines in a fresh worksheet,
// one entry each, and saves a picture of the window. Used for the README.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "application.h"
#include "engine_access.h"
#include "engine_thread.h"
#include "main_window.h"
#include "worksheet.h"

namespace {

int Render(int argc, char** argv) {
  using namespace symcalc::gui;
  EngineThread engine;
  // A steady cursor: a blinking one would be caught in either phase, and the
  // same lines must always give the same picture.
  QApplication::setCursorFlashTime(0);
  bool saved = false;
  {
    MainWindow window(LoadWorksheetFonts(96));
    window.show();
    window.activateWindow();
    for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) QApplication::processEvents();
    if (!window.isActiveWindow()) {
      std::fputs("symcalc-screenshot: the window did not become active\n", stderr);
      return 1;
    }
    Worksheet* sheet = window.Sheet();
    for (int i = 2; i < argc; ++i) {
      sheet->EntryAt(sheet->ActiveEntry()).input->setText(QString::fromUtf8(argv[i]));
      sheet->HandleShortcut(ShortcutEvent::Evaluate);
      WaitForEngine();
    }
    // Just tall enough for the lines typed, plus the empty line awaiting input.
    window.resize(kWindowWidth, std::min(kWindowHeight, sheet->InnerHeight() + 8));
    QApplication::processEvents();
    saved = window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
  }
  if (!saved) std::fprintf(stderr, "symcalc-screenshot: cannot write %s\n", argv[1]);
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("Usage: symcalc-screenshot OUT.png LINE...\n", stderr);
    return 2;
  }
  // Offscreen unless told otherwise: the picture must not depend on a desktop.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return symcalc::gui::RunApplication(argc, argv, [argc, argv](QApplication&) {
    return Render(argc, argv);
  });
}

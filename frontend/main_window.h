// The program's one window: the worksheet filling its whole inside.
#pragma once

#include <QWidget>

#include "fonts.h"

namespace symcalc::gui {

class Worksheet;

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 600;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(const WorksheetFonts& fonts, QWidget* parent = nullptr);

  Worksheet* Sheet() const { return worksheet_; }

  // Places the window in the middle of its screen's available area.
  void Centre();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  Worksheet* worksheet_;
};

}  // namespace symcalc::gui

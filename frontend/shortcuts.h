// The worksheet's keys, delivered as numbered events.
#pragma once

#include <functional>

class QWidget;

namespace symcalc::gui {

enum class ShortcutEvent {
  Evaluate = 0,         // Return
  FocusPrevious = 1,    // Up
  FocusNext = 2,        // Down
  PasteLastResult = 3,  // Ctrl+M
  Interrupt = 4,        // Esc
};

// The keys act while the keyboard focus is anywhere inside `owner`; they take
// precedence over the input lines' own handling of the same keys.
void InstallShortcuts(QWidget* owner, std::function<void(ShortcutEvent)> handler);

}  // namespace symcalc::gui

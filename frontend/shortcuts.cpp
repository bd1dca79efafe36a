#include "shortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace symcalc::gui {

void InstallShortcuts(QWidget* owner, std::function<void(ShortcutEvent)> handler) {
  struct Binding {
    QKeySequence keys;
    ShortcutEvent event;
  };
  // The keypad's Enter is the same key as Return to most users (and to the
  // keyboards that report both as one).
  const Binding bindings[] = {
      {QKeySequence(Qt::Key_Return), ShortcutEvent::Evaluate},
      {QKeySequence(Qt::Key_Enter), ShortcutEvent::Evaluate},
      {QKeySequence(Qt::Key_Up), ShortcutEvent::FocusPrevious},
      {QKeySequence(Qt::Key_Down), ShortcutEvent::FocusNext},
      {QKeySequence(Qt::CTRL | Qt::Key_M), ShortcutEvent::PasteLastResult},
      {QKeySequence(Qt::Key_Escape), ShortcutEvent::Interrupt},
  };
  for (const Binding& binding : bindings) {
    auto* shortcut = new QShortcut(binding.keys, owner);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, owner,
                     [handler, event = binding.event] { handler(event); });
  }
}

}  // namespace symcalc::gui

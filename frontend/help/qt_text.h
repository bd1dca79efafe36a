// The reference is written as UTF-8 string views; the widgets want QString.
#pragma once

#include <QString>

#include <string_view>

namespace symcalc::gui::help {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace symcalc::gui::help

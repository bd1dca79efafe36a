// Test suites register themselves here; the test program runs them in order.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace symcalc::gui::test {

struct Suite {
  std::string name;
  std::function<std::unique_ptr<QObject>()> make;
};

std::vector<Suite>& Suites();

inline bool RegisterSuite(std::string name, std::function<std::unique_ptr<QObject>()> make) {
  Suites().push_back({std::move(name), std::move(make)});
  return true;
}

}  // namespace symcalc::gui::test

#define SYMCALC_GUI_SUITE(Class) \
  [[maybe_unused]] static const bool k##Class##Registered = \
      ::symcalc::gui::test::RegisterSuite(#Class, [] { return std::make_unique<Class>(); });

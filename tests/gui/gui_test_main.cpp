// Runs the worksheet suites inside the same large-stack application the
// program uses. "--suite NAME" runs one suite; other arguments go to QTest.
#include <QApplication>
#include <QTest>

#include <cstring>
#include <vector>

#include "application.h"
#include "suites.h"

namespace symcalc::gui::test {

std::vector<Suite>& Suites() {
  static std::vector<Suite> suites;
  return suites;
}

}  // namespace symcalc::gui::test

int main(int argc, char** argv) {
  using symcalc::gui::test::Suites;
  const char* only = nullptr;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (i + 1 < argc && !std::strcmp(argv[i], "--suite")) {
      only = argv[++i];
      continue;
    }
    args.push_back(argv[i]);
  }
  const int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  return symcalc::gui::RunApplication(count, args.data(), [&](QApplication&) {
    int ran = 0;
    int failed = 0;
    for (const auto& suite : Suites()) {
      if (only && suite.name != only) continue;
      ++ran;
      const auto object = suite.make();
      if (QTest::qExec(object.get(), count, args.data()) != 0) ++failed;
    }
    if (ran == 0) {
      std::fprintf(stderr, "no suite named %s\n", only ? only : "(any)");
      return 1;
    }
    return failed == 0 ? 0 : 1;
  });
}

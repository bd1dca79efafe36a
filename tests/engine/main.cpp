// Runs the engine tests on a large stack, as the programs run the engine.
#include <gtest/gtest.h>

#include "symcalc/engine.h"

namespace {
struct Args {
  int argc;
  char** argv;
};
int RunAll(void* p) {
  auto* a = static_cast<Args*>(p);
  ::testing::InitGoogleTest(&a->argc, a->argv);
  return RUN_ALL_TESTS();
}
}  // namespace

int main(int argc, char** argv) {
  Args args{argc, argv};
  return symcalc::RunWithLargeStack(RunAll, &args);
}

// Records the printed results of the seeded random lines that the test
// Differential.PrintedResultsMatchTheRecording compares with, one hash per
// line, 0 for a line whose result holds like terms apart (which the engine
// that made the recording did not merge). Built against an engine's static
// library and internal headers, for example:
//   g++ -std=c++20 -O2 -Iengine -Iengine/include -Itests/engine \
//     tests/tools/record_printed_results.cpp BUILD/engine/libsymcalc_engine.a \
//     -lpthread -o record && ./record 5600 > recording.inc
#include <cstdio>
#include <cstdlib>
#include <string>

#include "chain_checks.h"
#include "random_polynomials.h"
#include "symcalc/engine.h"

int main(int argc, char** argv) {
  using namespace symcalc;
  const int count = argc > 1 ? std::atoi(argv[1]) : 0;
  EngineInit();
  testing::PolynomialMaker maker(20261208, false);
  for (int i = 0; i < count; ++i) {
    Value* v = EvaluateText(maker.Line());
    const std::uint64_t h = testing::HoldsLikeTermsApart(v) ? 0 : testing::TextHash(PrintValue(v));
    std::printf("0x%016llxULL,\n", static_cast<unsigned long long>(h));
    FreeValue(v);
  }
  EngineShutdown();
}

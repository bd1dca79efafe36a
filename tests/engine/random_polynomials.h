// Seeded random polynomials in x, y and z as input text, identical on every
// platform (no standard distributions), for tests that compare results with
// recorded ones or with the value of the input.
#pragma once

#include <cstdint>
#include <string>

namespace symcalc::testing {

class PolynomialMaker {
 public:
  // `exact`: coefficients are integers and fractions only, so that values at
  // rational points are exact.
  PolynomialMaker(std::uint64_t seed, bool exact) : state_(seed), exact_(exact) {}

  std::uint64_t Below(std::uint64_t n) { return Next() % n; }

  std::string Coefficient() {
    static const char* kOdd[] = {"1/2", "(-3/4)", "2/3", "0.5", "1.5", "(-2.5)"};
    const std::uint64_t k = Below(12);
    if (k == 0) return kOdd[Below(exact_ ? 3 : 6)];
    const int c = static_cast<int>(Below(13)) - 6;
    return c < 0 ? "(" + std::to_string(c) + ")" : std::to_string(c == 0 ? 1 : c);
  }

  // c*x^i*y^j*z^k with its factors in random order; now and then without
  // the coefficient or with a variable twice.
  std::string Monomial() {
    static const char* kNames[] = {"x", "y", "z"};
    std::string factors[4];
    int n = 0;
    for (const char* v : kNames) {
      const std::uint64_t e = Below(4);
      if (e == 1) factors[n++] = v;
      if (e > 1) factors[n++] = std::string(v) + "^" + std::to_string(e);
    }
    if (n < 4 && Below(6) == 0) factors[n++] = kNames[Below(3)];
    for (int i = n - 1; i > 0; --i) std::swap(factors[i], factors[Below(i + 1)]);
    std::string t = Below(4) == 0 && n > 0 ? "" : Coefficient();
    for (int i = 0; i < n; ++i) t += (t.empty() ? "" : "*") + factors[i];
    return t.empty() ? "1" : t;
  }

  std::string Polynomial(int maxTerms) {
    const int k = 1 + static_cast<int>(Below(maxTerms));
    std::string p;
    for (int i = 0; i < k; ++i) p += (i ? (Below(3) == 0 ? "-" : "+") : "") + Monomial();
    return "(" + p + ")";
  }

  // A sum, difference or product of two or three polynomials, or a sum
  // written out term by term.
  std::string Line() {
    switch (Below(5)) {
      case 0:
        return Polynomial(4) + "+" + Polynomial(4) + "+" + Polynomial(3);
      case 1:
        return Polynomial(5) + "-" + Polynomial(5);
      case 2:
        return Polynomial(3) + "*" + Polynomial(3) + (Below(2) ? "*" + Monomial() : "");
      case 3:
        return Monomial() + "*" + Polynomial(4) + "+" + Polynomial(4);
      default: {
        std::string s = Monomial();
        const int n = 4 + static_cast<int>(Below(12));
        for (int i = 0; i < n; ++i) s += "+" + Monomial();
        return s;
      }
    }
  }

 private:
  // splitmix64
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
  bool exact_;
};

}  // namespace symcalc::testing

// Reading and printing numbers independently of the C library's locale: Qt
// sets LC_NUMERIC from the environment, and a decimal comma must never leak
// into the calculator's language.
#include "syntax/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace symcalc {
namespace {

locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

double ReadDouble(std::string_view s) {
  const std::string text(s);
  return strtod_l(text.c_str(), nullptr, CLocale());
}

Value* ReadDecimalInteger(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned __int128 value = 0;
  bool fits = true;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + static_cast<unsigned>(s[i] - '0');
    const unsigned __int128 limit =
        static_cast<unsigned __int128>(INT64_MAX) + (negative ? 1 : 0);
    if (value > limit) {
      fits = false;
      break;
    }
  }
  // Too long for 64 bits: read as a double instead of wrapping around.
  if (!fits) return MakeDouble(ReadDouble(s));
  const auto magnitude = static_cast<__int128>(value);
  return MakeQword(static_cast<std::int64_t>(negative ? -magnitude : magnitude));
}

void AppendDouble(std::string& out, double x) {
  // The sign bit of a NaN is whatever the processor left there: one text.
  if (std::isnan(x)) {
    out += "nan";
    return;
  }
  const std::size_t start = out.size();
  // Room for the longest fixed-notation double: 309 digits, sign, point, 10 decimals.
  out.resize(start + 330);
  const auto r = std::to_chars(out.data() + start, out.data() + out.size(), x,
                               std::chars_format::fixed, 10);
  out.resize(static_cast<std::size_t>(r.ptr - out.data()));
  if (out.find('.', start) == std::string::npos) return;  // inf, nan
  while (out.size() > start && out.back() == '0') out.pop_back();
}

std::string FormatDouble(double x) {
  std::string s;
  AppendDouble(s, x);
  return s;
}

}  // namespace symcalc

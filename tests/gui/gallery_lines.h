// The lines of scripts/gallery.sh: formulas, structures and a plot, the
// pictures whose every pixel is watched.
#pragma once

namespace symcalc::gui::test {

inline const char* const kGalleryLines[] = {
    "1/3 + x/6; -2*x^(-3); (x+1)/(x-1)", "diff(sin(x)/x, x)", "f(t):=t^2+1; f(a/b)",
    "sqr(2)*3; x^(y^2); (-2)^n", "expand((x+1)^3)", "[1, x/2, 3][4, 5, 6][7, 8, 9]",
    "{1, {2, 3}, {}}; solve(x^2-2=0, x)", "#c(1/2, -3); inf; -inf; a..b",
    "'sym'; \"text\"; det(5)", "p := plot(x*sin(x), x = -10..10); x := 5", "x"};

}  // namespace symcalc::gui::test

// The reference of the builtins for arrays, matrices and sets.
#include "reference.h"

namespace symcalc::gui::help {

std::vector<HelpEntry> StructureEntries() {
  constexpr Topic kArrays = Topic::Arrays;
  constexpr Topic kSets = Topic::Sets;
  constexpr EntryKind kFn = EntryKind::Builtin;
  return {
      // ---- arrays and matrices -----------------------------------------------------
      {"array", kArrays, kFn, "array(width, height)",
       "A new array of width columns and height rows, every cell 0. An array holds at "
       "most 32767 cells.",
       {{"array(3, 2)", "[0,0,0] [0,0,0]"}},
       {"vector", "identity", "arrays"}},
      {"vector", kArrays, kFn, "vector(n)",
       "A column of n zeros: an array one cell wide and n rows high.",
       {{"vector(3)", "[0] [0] [0]"}},
       {"array", "scalar"}},
      {"identity", kArrays, kFn, "identity(n)",
       "The n by n identity matrix: 1 on the diagonal, 0 elsewhere.",
       {{"identity(3)", "[1,0,0] [0,1,0] [0,0,1]"}},
       {"array", "det"}},
      {"untmat", kArrays, kFn, "untmat(m, row, column)",
       "The minor matrix: m without the given row and column, both counted from 0.",
       {{"untmat([1,2,3][4,5,6][7,8,9], 0, 0)", "[5,6] [8,9]"}},
       {"untdet", "det"}},
      {"untdet", kArrays, kFn, "untdet(m, row, column)",
       "The cofactor: the determinant of the minor without that row and column, with "
       "its sign changed when row + column is odd.",
       {{"untdet([1,2][3,4], 0, 1)", "-3"}, {"untdet([1,2,3][4,5,6][7,8,10], 0, 0)", "2"}},
       {"untmat", "det"}},
      {"det", kArrays, kFn, "det(m)",
       "The determinant of a square array. It stays exact for integers and fractions and "
       "works with names as well.",
       {{"det([1,2][3,4])", "-2"}, {"det([a,b][c,d])", "a*d+(-1)*b*c"}},
       {"untdet", "identity"}},
      {"scalar", kArrays, kFn, "scalar(a, b)",
       "The scalar (dot) product of two columns of the same height. A row is not a "
       "column: write the cells one per row.",
       {{"scalar([1][2][3], [4][5][6])", "32"}, {"scalar([1,2], [3,4])", "<Error> Is not a vector. [1,2]"}},
       {"vector", "arrays"}},
      {"getarg", kArrays, kFn, "getarg(a, index)",
       "Cell number index of an array, counted from 0 row by row, or element number "
       "index of a set in its sorted order.",
       {{"getarg([10,20][30,40], 2)", "30"}, {"getarg({9,5,7}, 1)", "7"}},
       {"getargxy", "setarg"}},
      {"setarg", kArrays, kFn, "setarg(a, index, value)",
       "A copy of the array with cell number index (counted from 0 row by row) "
       "replaced by value; the array itself is not changed. A cell cannot hold an array.",
       {{"m := [1,2][3,4]; setarg(m, 0, 9); m", "[1,2] [3,4]; [9,2] [3,4]; [1,2] [3,4]"}},
       {"setargxy", "getarg"}},
      {"getargxy", kArrays, kFn, "getargxy(a, row, column)",
       "The cell at that row and column, both counted from 0.",
       {{"getargxy([1,2][3,4], 1, 0)", "3"}},
       {"getarg", "setargxy"}},
      {"setargxy", kArrays, kFn, "setargxy(a, row, column, value)",
       "A copy of the array with the cell at that row and column replaced by value.",
       {{"setargxy([1,2][3,4], 1, 1, 0)", "[1,2] [3,0]"}},
       {"setarg", "getargxy"}},
      {"width", kArrays, kFn, "width(a)",
       "The number of columns of an array, or the number of elements of a set.",
       {{"width([1,2,3])", "3"}, {"width({a,b})", "2"}},
       {"height"}},
      {"height", kArrays, kFn, "height(a)", "The number of rows of an array.",
       {{"height([1][2][3])", "3"}, {"height(array(4, 2))", "2"}},
       {"width"}},

      // ---- sets ---------------------------------------------------------------------
      {"into", kSets, kFn, "into(set, x)",
       "The set with x added in its place; a value that is already there is not added "
       "twice.",
       {{"into({1, 3}, 2)", "{1,2,3}"}, {"into({1, 2}, 2)", "{1,2}"}},
       {"union", "sets"}},
      {"union", kSets, kFn, "union(a, b)", "Every element of a and of b, each once.",
       {{"union({1, 2}, {2, 3})", "{1,2,3}"}},
       {"intersect", "minus"}},
      {"minus", kSets, kFn, "minus(a, b)", "The elements of a that are not in b.",
       {{"minus({1, 2, 3}, {2, 4})", "{1,3}"}},
       {"union", "intersect"}},
      {"intersect", kSets, kFn, "intersect(a, b)", "The elements that a and b have in common.",
       {{"intersect({1, 2, 3}, {2, 3, 4})", "{2,3}"}, {"intersect({1}, {2})", "{}"}},
       {"union", "minus"}},
      {"subset", kSets, kFn, "subset(a, b)",
       "True when every element of a is also in b; the empty set is a subset of any set.",
       {{"subset({1, 2}, {1, 2, 3})", "true"}, {"subset({1, 4}, {1, 2})", "false"}},
       {"intersect"}},
  };
}

}  // namespace symcalc::gui::help

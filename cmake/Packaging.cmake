# `make package`: a Debian package of everything `make install` installs.
# dpkg-shlibdeps finds the shared libraries the programs need (Qt, the C++
# runtime, libc); the fonts the worksheet asks for are a dependency of their
# own, since no program links them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME symcalc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The symcalc developers")
set(CPACK_PACKAGE_CONTACT "The symcalc developers <maintainers@users.noreply.c-seed-9ae10260.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "symbolic calculator: formula worksheet and command-line tool")
# The long description as dpkg shows it: lines of at most 72 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "symcalc is a worksheet of input lines in which you type expressions,"
  "assignments, function definitions and commands; Return evaluates a line"
  "and draws its values beneath it as two-dimensional formulas. Behind it is"
  "a small computer-algebra engine with exact integers and fractions,"
  "complex numbers, sets, matrices, symbolic expressions in a normal form,"
  "differentiation, equation solving and expansion."
  "symcalc-cli is the same engine for terminals and scripts, with line"
  "editing and completion.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
find_program(SYMCALC_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SYMCALC_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  message(STATUS "dpkg-shlibdeps not found (package dpkg-dev): `make package` would miss the library dependencies")
endif()
include(CPack)

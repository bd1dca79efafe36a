# symcalc_manual_page(SOURCE SECTION): installs a manual page written in troff,
# with @PROJECT_VERSION@ filled in, compressed as Debian's packages have them.
# gzip -n leaves out the file name and time, so that two builds of one source
# make the same package.
function(symcalc_manual_page source section)
  get_filename_component(name ${source} NAME)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name})
  configure_file(${source} ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND gzip -9nkf ${page}
    DEPENDS ${page}
    COMMENT "Compressing the manual page ${name}")
  string(MAKE_C_IDENTIFIER ${name} target)
  add_custom_target(manual_page_${target} ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION share/man/man${section})
endfunction()

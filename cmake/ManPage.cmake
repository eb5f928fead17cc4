# SPDX-License-Identifier: MIT
# qm_man_page(name): installs docs/man/<name>.1, compressed as the manual
# reader expects it, into section 1 of the manual.
function(qm_man_page name)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${name}.1)
  set(compressed ${CMAKE_BINARY_DIR}/man/${name}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(man_${name} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

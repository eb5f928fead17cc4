# SPDX-License-Identifier: MIT
# The manual pages, English in section 1 of the manual and Japanese in its
# ja/ tree; sources in docs/man/<language>/.
set(QM_MAN_LANGUAGES en ja)

# qm_install_man_page(source name language): installs the page source,
# compressed as the manual reader expects it, as <name>.1 of the language.
function(qm_install_man_page source name language)
  set(folder ${CMAKE_BINARY_DIR}/man/${language})
  set(compressed ${folder}/${name}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(man_${name}_${language} ALL DEPENDS ${compressed})
  if(language STREQUAL "en")
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/${language}/man1)
  endif()
endfunction()

# qm_man_page(name): installs the hand-written pages docs/man/<language>/<name>.1.
function(qm_man_page name)
  foreach(language IN LISTS QM_MAN_LANGUAGES)
    qm_install_man_page(${PROJECT_SOURCE_DIR}/docs/man/${language}/${name}.1 ${name} ${language})
  endforeach()
endfunction()

# What the package ships beside the program: the copyright file, the
# changelog and the manual page, gzipped as Debian wants them.
set(TAPIVOX_DOCS ${CMAKE_BINARY_DIR}/doc/changelog.gz ${CMAKE_BINARY_DIR}/doc/tapivox.6.gz)
add_custom_command(OUTPUT ${TAPIVOX_DOCS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${CMAKE_BINARY_DIR}/doc/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/tapivox.6 > ${CMAKE_BINARY_DIR}/doc/tapivox.6.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_SOURCE_DIR}/packaging/tapivox.6)
add_custom_target(tapivox_docs ALL DEPENDS ${TAPIVOX_DOCS})
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tapivox)
install(FILES ${CMAKE_BINARY_DIR}/doc/tapivox.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES COPYING DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tapivox)

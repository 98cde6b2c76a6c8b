# What `cmake --install` puts where. Relative run paths ($ORIGIN) let the installed tree work
# wherever it is unpacked, without LD_LIBRARY_PATH.
find_program(HELP2MAN help2man REQUIRED)

set_target_properties(dvinar-batch vexol-demo-data vantrel-import PROPERTIES INSTALL_RPATH "\$ORIGIN/${DVINAR_PLUGIN_DIR_FROM_BIN}")
install(TARGETS minihost dvinar-batch vexol-demo-data vantrel-import RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The plug-in finds its language library and the fit library beside itself.
install(TARGETS vexol vexolENU Fitral LIBRARY DESTINATION ${DVINAR_PLUGIN_INSTALL_DIR} NAMELINK_SKIP)

install(FILES data/Report.xsl data/CompsTableVexol.csv DESTINATION ${DVINAR_DATA_INSTALL_DIR})
install(FILES data/desktop/dvinar-minihost.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48)
  install(FILES plugin/resources/icons/114_product_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME dvinar-minihost.png)
endforeach()

# Manual pages, made from each program's --help and --version.
set(man_pages)
foreach(tool minihost dvinar-batch vexol-demo-data vantrel-import)
  set(page ${CMAKE_BINARY_DIR}/man/${tool}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 --output=${page} $<TARGET_FILE:${tool}>
    COMMAND gzip -n -9 -f ${page}
    DEPENDS ${tool}
    COMMENT "Manual page of ${tool}"
    VERBATIM)
  list(APPEND man_pages ${page}.gz)
endforeach()
add_custom_target(dvinar_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

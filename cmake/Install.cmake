# Installation on Linux and other Unix desktops (GNUInstallDirs): the three
# programs, the desktop entry, the AppStream data, the icons, the manual pages,
# bash completion, and the licence, copyright and changelog. Everything that
# names the application uses the one id QUILLORY_APP_ID.
include(GNUInstallDirs)

set(QUILLORY_PROGRAMS quillory-odds quillory-report)
if(QUILLORY_BUILD_GUI)
  list(PREPEND QUILLORY_PROGRAMS quillory)
endif()
install(TARGETS ${QUILLORY_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32 AND QUILLORY_BUILD_GUI)
  # quillory.com beside quillory.exe: the window program's answers and exit
  # status in a console.
  install(TARGETS quillory-console-launcher RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(NOT UNIX OR APPLE)
  return()
endif()

set(pkg_dir ${PROJECT_SOURCE_DIR}/packaging)
set(gen_dir ${PROJECT_BINARY_DIR}/packaging)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/quillory)

if(QUILLORY_BUILD_GUI)
  configure_file(${pkg_dir}/linux/quillory.desktop.in ${gen_dir}/${QUILLORY_APP_ID}.desktop @ONLY)
  configure_file(${pkg_dir}/linux/quillory.metainfo.xml.in
                 ${gen_dir}/${QUILLORY_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${gen_dir}/${QUILLORY_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${gen_dir}/${QUILLORY_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/res/icon-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUILLORY_APP_ID}.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/res/quillory.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${QUILLORY_APP_ID}.svg)
endif()

install(FILES ${pkg_dir}/completion/quillory-odds ${pkg_dir}/completion/quillory-report
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the changelog go in compressed, without time stamps, so
# that the same sources always give the same files.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
foreach(program ${QUILLORY_PROGRAMS})
  list(APPEND compressed "man/${program}.1|${CMAKE_INSTALL_MANDIR}/man1")
endforeach()
list(APPEND compressed "debian/changelog|${doc_dir}")
set(compressed_files)
foreach(entry ${compressed})
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 source)
  list(GET parts 1 destination)
  get_filename_component(name ${source} NAME)
  set(output ${gen_dir}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${pkg_dir}/${source} > ${output}
    DEPENDS ${pkg_dir}/${source}
    COMMENT "Compressing ${name}")
  list(APPEND compressed_files ${output})
  install(FILES ${output} DESTINATION ${destination})
endforeach()
add_custom_target(quillory_install_files ALL DEPENDS ${compressed_files})

install(FILES ${pkg_dir}/debian/copyright DESTINATION ${doc_dir})

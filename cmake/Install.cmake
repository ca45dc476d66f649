# cmake --install build --prefix DIR gives two self-contained folders, DIR/setrix and
# DIR/quorix: the program, its language files and data, a launcher that starts it from
# its folder (language files and cable.txt are looked up in the working directory), a
# .desktop entry and an icon. Settings files are written beside the programs at run
# time, so DIR must be writable by the user. Tests, tools and demos are not installed.

set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# A file the user may replace after installing (the cable list after an update, an
# example configuration): a reinstall keeps the user's copy.
function(install_unless_present source folder)
  get_filename_component(name ${source} NAME)
  install(CODE "
    if(EXISTS \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/${name}\")
      message(STATUS \"Kept: \${CMAKE_INSTALL_PREFIX}/${folder}/${name}\")
    else()
      file(INSTALL \"${source}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${folder}\")
    endif()")
endfunction()

# install_program_folder(TARGET kelt2 FOLDER setrix NAME Setrix COMMENT text
#                        LANGUAGES dir ICON png [HELP dir] [KEEP files])
function(install_program_folder)
  cmake_parse_arguments(P "" "TARGET;FOLDER;NAME;COMMENT;LANGUAGES;ICON;HELP" "KEEP" ${ARGN})
  if(NOT TARGET ${P_TARGET})
    return()
  endif()
  set(folder ${P_FOLDER})
  install(TARGETS ${P_TARGET} RUNTIME DESTINATION ${folder})

  file(GLOB language_files CONFIGURE_DEPENDS ${P_LANGUAGES}/*.lng)
  install(FILES ${language_files} DESTINATION ${folder})
  if(P_HELP)
    # The program opens its pages from help/<folder>/ beside the executable, page
    # 1000 + language position; positions without pages of their own share one.
    get_filename_component(help_name ${P_HELP} NAME)
    install(DIRECTORY ${P_HELP} DESTINATION ${folder}/help PATTERN other-languages.html EXCLUDE)
    if(EXISTS ${P_HELP}/other-languages.html)
      foreach(page 1003 1004 1005)
        install(FILES ${P_HELP}/other-languages.html DESTINATION ${folder}/help/${help_name}
                RENAME ${page}.html)
      endforeach()
    endif()
  endif()
  foreach(file IN LISTS P_KEEP)
    install_unless_present(${file} ${folder})
  endforeach()

  set(PROGRAM ${P_TARGET})
  configure_file(${PACKAGING_DIR}/launcher.in ${CMAKE_BINARY_DIR}/packaging/${folder} @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/${folder} DESTINATION ${folder})
  install(FILES ${P_ICON} DESTINATION ${folder} RENAME ${folder}.png)

  # The entry names the folder by its absolute path, known only at install time.
  install(CODE "
    set(NAME \"${P_NAME}\")
    set(COMMENT \"${P_COMMENT}\")
    set(LAUNCHER \"${folder}\")
    set(FOLDER \"\${CMAKE_INSTALL_PREFIX}/${folder}\")
    set(entry \"\$ENV{DESTDIR}\${FOLDER}/${folder}.desktop\")
    message(STATUS \"Installing: \${entry}\")
    configure_file(\"${PACKAGING_DIR}/program.desktop.in\" \"\${entry}\" @ONLY)
    file(CHMOD \"\${entry}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)")
endfunction()

install_program_folder(TARGET kelt2 FOLDER setrix NAME Setrix
  COMMENT "Configure the multiplexer and its instrument cables"
  LANGUAGES ${CMAKE_SOURCE_DIR}/lang/setrix
  ICON ${CMAKE_SOURCE_DIR}/common/ui/logos/setrix.png
  KEEP ${CMAKE_SOURCE_DIR}/configtool/data/cable.txt)

install_program_folder(TARGET Ondo_prj FOLDER quorix NAME Quorix
  COMMENT "Type instrument readings into the focused application"
  LANGUAGES ${CMAKE_SOURCE_DIR}/lang/quorix
  ICON ${CMAKE_SOURCE_DIR}/common/ui/logos/quorix.png
  HELP ${CMAKE_SOURCE_DIR}/help/quorix
  KEEP ${PACKAGING_DIR}/demo.mux)

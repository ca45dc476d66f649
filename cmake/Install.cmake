# Two ways to install the programs.
#
# cmake --install build --prefix DIR gives two self-contained folders, DIR/setrix and
# DIR/quorix: the program, its language files and data, a launcher, a .desktop entry
# and an icon. When DIR can be written, the settings stay in those folders (a portable
# install). Tests, tools and demos are not installed.
#
# The component "programs" (and "simulator" for muxsim) is the Debian package's layout,
# made by CPack (scripts/package): the same folders under /usr/lib/setrix-quorix/,
# launchers in /usr/bin, desktop entries, icons and documents where Debian keeps them.
# Both components are left out of a plain cmake --install.

set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGE_LIB_DIR lib/setrix-quorix)

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

# The program, its language files, help pages and data in `folder`. Extra arguments
# (COMPONENT programs EXCLUDE_FROM_ALL) go to every rule.
function(install_program_files target folder languages help)
  install(TARGETS ${target} RUNTIME DESTINATION ${folder} ${ARGN})
  file(GLOB language_files CONFIGURE_DEPENDS ${languages}/*.lng)
  install(FILES ${language_files} DESTINATION ${folder} ${ARGN})
  if(help)
    # The program opens its pages from help/<folder>/ beside the executable, page
    # 1000 + language position; positions without pages of their own share one.
    get_filename_component(help_name ${help} NAME)
    install(DIRECTORY ${help} DESTINATION ${folder}/help ${ARGN} PATTERN other-languages.html EXCLUDE)
    if(EXISTS ${help}/other-languages.html)
      foreach(page 1003 1004 1005)
        install(FILES ${help}/other-languages.html DESTINATION ${folder}/help/${help_name}
                RENAME ${page}.html ${ARGN})
      endforeach()
    endif()
  endif()
endfunction()

# install_program(TARGET kelt2 FOLDER setrix NAME Setrix COMMENT text
#                 LANGUAGES dir ICON png [HELP dir] [DATA files])
function(install_program)
  cmake_parse_arguments(P "" "TARGET;FOLDER;NAME;COMMENT;LANGUAGES;ICON;HELP" "DATA" ${ARGN})
  if(NOT TARGET ${P_TARGET})
    return()
  endif()
  set(folder ${P_FOLDER})
  set(PROGRAM ${P_TARGET})
  set(NAME ${P_NAME})
  set(COMMENT ${P_COMMENT})
  configure_file(${PACKAGING_DIR}/launcher.in ${CMAKE_BINARY_DIR}/packaging/${folder} @ONLY)

  # Portable folder.
  install_program_files(${P_TARGET} ${folder} "${P_LANGUAGES}" "${P_HELP}")
  foreach(file IN LISTS P_DATA)
    install_unless_present(${file} ${folder})
  endforeach()
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/${folder} DESTINATION ${folder})
  install(FILES ${P_ICON} DESTINATION ${folder} RENAME ${folder}.png)
  # The entry names the folder by its absolute path, known only at install time.
  install(CODE "
    set(NAME \"${P_NAME}\")
    set(COMMENT \"${P_COMMENT}\")
    set(EXEC \"\\\"\${CMAKE_INSTALL_PREFIX}/${folder}/${folder}\\\"\")
    set(ICON \"\${CMAKE_INSTALL_PREFIX}/${folder}/${folder}.png\")
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/${folder}.desktop\")
    message(STATUS \"Installing: \${entry}\")
    configure_file(\"${PACKAGING_DIR}/program.desktop.in\" \"\${entry}\" @ONLY)
    file(CHMOD \"\${entry}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)")

  # Debian package: the same folder, read-only for its users.
  set(package_args COMPONENT programs EXCLUDE_FROM_ALL)
  set(lib_folder ${PACKAGE_LIB_DIR}/${folder})
  install_program_files(${P_TARGET} ${lib_folder} "${P_LANGUAGES}" "${P_HELP}" ${package_args})
  install(FILES ${P_DATA} DESTINATION ${lib_folder} ${package_args})
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/${folder} DESTINATION ${lib_folder} ${package_args})
  # The launcher finds the program through the link's target.
  file(CREATE_LINK ../${lib_folder}/${folder} ${CMAKE_BINARY_DIR}/packaging/bin/${folder} SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/bin/${folder} DESTINATION bin ${package_args})
  set(EXEC ${folder})
  set(ICON ${folder})
  configure_file(${PACKAGING_DIR}/program.desktop.in ${CMAKE_BINARY_DIR}/packaging/applications/${folder}.desktop @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/applications/${folder}.desktop
          DESTINATION share/applications ${package_args})
  install(FILES ${P_ICON} DESTINATION share/icons/hicolor/128x128/apps RENAME ${folder}.png ${package_args})
endfunction()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/bin)

install_program(TARGET kelt2 FOLDER setrix NAME Setrix
  COMMENT "Configure the multiplexer and its instrument cables"
  LANGUAGES ${CMAKE_SOURCE_DIR}/lang/setrix
  ICON ${CMAKE_SOURCE_DIR}/common/ui/logos/setrix.png
  DATA ${CMAKE_SOURCE_DIR}/configtool/data/cable.txt)

install_program(TARGET Ondo_prj FOLDER quorix NAME Quorix
  COMMENT "Type instrument readings into the focused application"
  LANGUAGES ${CMAKE_SOURCE_DIR}/lang/quorix
  ICON ${CMAKE_SOURCE_DIR}/common/ui/logos/quorix.png
  HELP ${CMAKE_SOURCE_DIR}/help/quorix
  DATA ${PACKAGING_DIR}/demo.mux)

# Documents of each Debian package: README, copyright and the compressed changelog.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PACKAGING_DIR}/changelog)
execute_process(COMMAND gzip -9nc ${PACKAGING_DIR}/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
function(install_package_documents package component)
  install(FILES ${PACKAGING_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${ARGN}
          DESTINATION share/doc/${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()
install_package_documents(setrix-quorix programs ${CMAKE_SOURCE_DIR}/README.md)

install(TARGETS muxsim RUNTIME DESTINATION bin COMPONENT simulator EXCLUDE_FROM_ALL)
install_package_documents(muxsim simulator)

include(cmake/Package.cmake)

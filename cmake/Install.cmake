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
include(cmake/PackageFiles.cmake)

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

# install_program(TARGET kelt2 FOLDER setrix NAME Setrix APP_ID id
#                 COMMENT text COMMENT_FR text GENERIC_NAME text GENERIC_NAME_FR text
#                 KEYWORDS a,b KEYWORDS_FR a,b LANGUAGES dir [HELP dir] [DATA files])
# The icon, manual page and metadata come from packaging/{icons,man,metainfo}/<folder>.*.
function(install_program)
  cmake_parse_arguments(P "" "TARGET;FOLDER;NAME;APP_ID;COMMENT;COMMENT_FR;GENERIC_NAME;GENERIC_NAME_FR;KEYWORDS;KEYWORDS_FR;LANGUAGES;HELP"
                        "DATA" ${ARGN})
  if(NOT TARGET ${P_TARGET})
    return()
  endif()
  set(folder ${P_FOLDER})
  set(PROGRAM ${P_TARGET})
  configure_file(${PACKAGING_DIR}/launcher.in ${CMAKE_BINARY_DIR}/packaging/${folder} @ONLY)

  # The menu entry's texts are filled in now; Exec and Icon stay place holders until
  # each install knows them.
  foreach(field NAME COMMENT COMMENT_FR GENERIC_NAME GENERIC_NAME_FR)
    set(${field} "${P_${field}}")
  endforeach()
  # Keywords come comma-separated: a semicolon would split the argument list.
  string(REPLACE "," ";" KEYWORDS "${P_KEYWORDS};")
  string(REPLACE "," ";" KEYWORDS_FR "${P_KEYWORDS_FR};")
  set(EXEC "@EXEC@")
  set(ICON "@ICON@")
  set(entry_template ${CMAKE_BINARY_DIR}/packaging/${folder}.desktop.in)
  configure_file(${PACKAGING_DIR}/program.desktop.in ${entry_template} @ONLY)
  render_icons(${folder})
  compress_manual_page(${folder})
  set(VERSION ${PROJECT_VERSION})
  set(APP_ID ${P_APP_ID})
  set(metainfo ${CMAKE_BINARY_DIR}/packaging/metainfo/${P_APP_ID}.metainfo.xml)
  configure_file(${PACKAGING_DIR}/metainfo/${folder}.metainfo.xml.in ${metainfo} @ONLY)

  # Portable folder.
  install_program_files(${P_TARGET} ${folder} "${P_LANGUAGES}" "${P_HELP}")
  foreach(file IN LISTS P_DATA)
    install_unless_present(${file} ${folder})
  endforeach()
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/${folder} DESTINATION ${folder})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/icons/128/${folder}.png DESTINATION ${folder})
  # The entry names the folder by its absolute path, known only at install time.
  install(CODE "
    set(EXEC \"\\\"\${CMAKE_INSTALL_PREFIX}/${folder}/${folder}\\\"\")
    set(ICON \"\${CMAKE_INSTALL_PREFIX}/${folder}/${folder}.png\")
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/${folder}.desktop\")
    message(STATUS \"Installing: \${entry}\")
    configure_file(\"${entry_template}\" \"\${entry}\" @ONLY)
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
  configure_file(${entry_template} ${CMAKE_BINARY_DIR}/packaging/applications/${folder}.desktop @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/applications/${folder}.desktop
          DESTINATION share/applications ${package_args})
  install_icons(${folder} ${package_args})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/man/${folder}.1.gz DESTINATION share/man/man1 ${package_args})
  install(FILES ${metainfo} DESTINATION share/metainfo ${package_args})
endfunction()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/bin)

install_program(TARGET kelt2 FOLDER setrix NAME Setrix APP_ID com.example.Setrix
  GENERIC_NAME "Multiplexer Setup" GENERIC_NAME_FR "Configuration du multiplexeur"
  COMMENT "Configure the multiplexer and its instrument cables"
  COMMENT_FR "Configurer le multiplexeur et les câbles de ses instruments"
  KEYWORDS "multiplexer,gauge,calliper,instrument,cable,serial,RS232"
  KEYWORDS_FR "multiplexeur,comparateur,pied à coulisse,instrument,câble,série,RS232"
  LANGUAGES ${CMAKE_SOURCE_DIR}/lang/setrix
  DATA ${CMAKE_SOURCE_DIR}/configtool/data/cable.txt)

install_program(TARGET Ondo_prj FOLDER quorix NAME Quorix APP_ID com.example.Quorix
  GENERIC_NAME "Measurement Acquisition" GENERIC_NAME_FR "Acquisition de mesures"
  COMMENT "Type instrument readings into the focused application"
  COMMENT_FR "Saisir les mesures des instruments dans l'application active"
  KEYWORDS "multiplexer,gauge,calliper,measurement,spreadsheet,acquisition"
  KEYWORDS_FR "multiplexeur,comparateur,pied à coulisse,mesure,tableur,acquisition"
  LANGUAGES ${CMAKE_SOURCE_DIR}/lang/quorix
  HELP ${CMAKE_SOURCE_DIR}/help/quorix
  DATA ${PACKAGING_DIR}/demo.mux)

# Documents of each Debian package: copyright, the compressed changelog and what a
# user reads (the developers' README stays in the source tree).
execute_process(COMMAND gzip -9nc ${PACKAGING_DIR}/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
function(install_package_documents package component)
  install(FILES ${PACKAGING_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${ARGN}
          DESTINATION share/doc/${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()
file(GLOB screenshots CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
install_package_documents(setrix-quorix programs ${CMAKE_SOURCE_DIR}/docs/user-guide.html ${screenshots})

install(TARGETS muxsim RUNTIME DESTINATION bin COMPONENT simulator EXCLUDE_FROM_ALL)
install_package_documents(muxsim simulator ${PACKAGING_DIR}/muxsim/README)
compress_manual_page(muxsim)
install(FILES ${CMAKE_BINARY_DIR}/packaging/man/muxsim.1.gz DESTINATION share/man/man1
        COMPONENT simulator EXCLUDE_FROM_ALL)

include(cmake/Package.cmake)

cmake_minimum_required(VERSION 3.21)
# Installs the portable folders and each package's component into WORK_DIR and
# compares the files and links found with the lists below.

function(installed_tree root result)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
  list(SORT found)
  set(${result} ${found} PARENT_SCOPE)
endfunction()

function(check_install name expected)
  set(root ${WORK_DIR}/${name})
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${root}${PREFIX} ${ARGN}
                  OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${name}: cmake --install failed")
  endif()
  installed_tree(${root} found)
  list(SORT expected)
  if(NOT found STREQUAL expected)
    string(REPLACE ";" "\n  " found_text "${found}")
    string(REPLACE ";" "\n  " expected_text "${expected}")
    message(FATAL_ERROR "${name}: installed\n  ${found_text}\nexpected\n  ${expected_text}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})

set(help help/quorix/1001.html help/quorix/1002.html help/quorix/1003.html help/quorix/1004.html
         help/quorix/1005.html help/quorix/111.html help/quorix/help.css)
set(setrix_files English.lng Francais.lng cable.txt kelt2 setrix)
set(quorix_files English.lng Francais.lng demo.mux Ondo_prj quorix ${help})

set(portable "")
foreach(f ${setrix_files} setrix.desktop setrix.png)
  list(APPEND portable setrix/${f})
endforeach()
foreach(f ${quorix_files} quorix.desktop quorix.png)
  list(APPEND portable quorix/${f})
endforeach()
set(PREFIX "")
check_install(portable "${portable}")

set(package usr/bin/setrix usr/bin/quorix
    usr/share/applications/setrix.desktop usr/share/applications/quorix.desktop
    usr/share/metainfo/com.example.Setrix.metainfo.xml usr/share/metainfo/com.example.Quorix.metainfo.xml
    usr/share/man/man1/setrix.1.gz usr/share/man/man1/quorix.1.gz
    usr/share/doc/setrix-quorix/user-guide.html usr/share/doc/setrix-quorix/setrix.png
    usr/share/doc/setrix-quorix/quorix.png usr/share/doc/setrix-quorix/quorix-editor.png
    usr/share/doc/setrix-quorix/copyright usr/share/doc/setrix-quorix/changelog.gz)
foreach(program setrix quorix)
  list(APPEND package usr/share/icons/hicolor/scalable/apps/${program}.svg)
  foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND package usr/share/icons/hicolor/${size}x${size}/apps/${program}.png)
  endforeach()
endforeach()
foreach(f ${setrix_files})
  list(APPEND package usr/lib/setrix-quorix/setrix/${f})
endforeach()
foreach(f ${quorix_files})
  list(APPEND package usr/lib/setrix-quorix/quorix/${f})
endforeach()
set(PREFIX /usr)
check_install(package "${package}" --component programs)
check_install(simulator "usr/bin/muxsim;usr/share/man/man1/muxsim.1.gz;usr/share/doc/muxsim/README;usr/share/doc/muxsim/copyright;usr/share/doc/muxsim/changelog.gz"
              --component simulator)

# The menu entries start the launchers in /usr/bin, which lead to the programs.
foreach(program setrix quorix)
  set(link ${WORK_DIR}/package/usr/bin/${program})
  file(READ_SYMLINK ${link} target)
  if(NOT target STREQUAL "../lib/setrix-quorix/${program}/${program}"
     OR NOT EXISTS ${WORK_DIR}/package/usr/lib/setrix-quorix/${program}/${program})
    message(FATAL_ERROR "usr/bin/${program} points to '${target}'")
  endif()
  file(STRINGS ${WORK_DIR}/package/usr/share/applications/${program}.desktop entry)
  if(NOT "Exec=${program}" IN_LIST entry OR NOT "Icon=${program}" IN_LIST entry)
    message(FATAL_ERROR "${program}.desktop: ${entry}")
  endif()
endforeach()

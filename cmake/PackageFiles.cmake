# Files of the packages made from one source each while building: the icons
# rendered from their SVG, the compressed manual pages. The target package_files
# makes them (part of a plain build; scripts/package asks for it by name).

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

set(ICON_SIZES 16 22 24 32 48 64 128 256)
add_custom_target(package_files ALL)

function(render_icons name)
  set(svg ${PACKAGING_DIR}/icons/${name}.svg)
  set(outputs "")
  foreach(size ${ICON_SIZES})
    set(png ${CMAKE_BINARY_DIR}/packaging/icons/${size}/${name}.png)
    add_custom_command(OUTPUT ${png}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icons/${size}
                       COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
                       DEPENDS ${svg} VERBATIM)
    list(APPEND outputs ${png})
  endforeach()
  add_custom_target(${name}_icons DEPENDS ${outputs})
  add_dependencies(package_files ${name}_icons)
endfunction()

# The SVG and every rendered size under the desktop's icon theme.
function(install_icons name)
  install(FILES ${PACKAGING_DIR}/icons/${name}.svg DESTINATION share/icons/hicolor/scalable/apps ${ARGN})
  foreach(size ${ICON_SIZES})
    install(FILES ${CMAKE_BINARY_DIR}/packaging/icons/${size}/${name}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps ${ARGN})
  endforeach()
endfunction()

function(compress_manual_page name)
  set(page ${CMAKE_BINARY_DIR}/packaging/man/${name}.1)
  add_custom_command(OUTPUT ${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${PACKAGING_DIR}/man/${name}.1 ${page}
                     COMMAND ${GZIP} -9nf ${page}
                     DEPENDS ${PACKAGING_DIR}/man/${name}.1 VERBATIM)
  add_custom_target(${name}_manual_page DEPENDS ${page}.gz)
  add_dependencies(package_files ${name}_manual_page)
endfunction()

# The release the metadata announces: the date of the changelog's top entry.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PACKAGING_DIR}/changelog)
file(STRINGS ${PACKAGING_DIR}/changelog trailers REGEX "^ -- " ENCODING UTF-8)
list(GET trailers 0 trailer)
string(REGEX REPLACE "^ -- .*>  " "" release_time "${trailer}")
execute_process(COMMAND date -u -d "${release_time}" +%Y-%m-%d OUTPUT_VARIABLE RELEASE_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

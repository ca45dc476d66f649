cmake_minimum_required(VERSION 3.21)
# Makes the Debian packages with CPack into WORK_DIR and has lintian check them:
# any error fails.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
                OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE failed)
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(failed OR NOT count EQUAL 2)
  message(FATAL_ERROR "cpack failed:\n${out}")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error --tag-display-limit 0 ${debs} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "lintian reports errors")
endif()

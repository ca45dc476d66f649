cmake_minimum_required(VERSION 3.21)
# Runs a validator (VALIDATOR, then ARGS separated by "|") on each file matching PATTERN: it
# must find COUNT files, and each must pass with no message at all (warnings
# included). With MESSAGES_ON_STDERR, standard output is the product, not a message.
file(GLOB files ${PATTERN})
list(LENGTH files found)
if(NOT found EQUAL COUNT)
  message(FATAL_ERROR "expected ${COUNT} files matching ${PATTERN}, found: ${files}")
endif()
string(REPLACE "|" ";" ARGS "${ARGS}")
foreach(file ${files})
  if(MESSAGES_ON_STDERR)
    execute_process(COMMAND ${VALIDATOR} ${ARGS} ${file}
                    OUTPUT_QUIET ERROR_VARIABLE out RESULT_VARIABLE failed)
  else()
    execute_process(COMMAND ${VALIDATOR} ${ARGS} ${file}
                    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE failed)
  endif()
  # appstreamcli ends even a clean report with a success line.
  string(REGEX REPLACE "[^\n]*Validation was successful[^\n]*\n?" "" out "${out}")
  if(failed OR NOT out STREQUAL "")
    message(FATAL_ERROR "${VALIDATOR} ${file}:\n${out}")
  endif()
endforeach()

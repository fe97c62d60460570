# SPDX-License-Identifier: GPL-3.0-or-later
# Builds each probe target of the layers' wall and fails unless every one
# fails to compile for want of the header it reaches up for.
#   cmake -DBUILD_DIR=... -DPROBES="target:header;..." -P check_upward_includes.cmake
foreach(probe ${PROBES})
  string(REPLACE ":" ";" parts ${probe})
  list(GET parts 0 target)
  list(GET parts 1 header)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(status EQUAL 0)
    message(FATAL_ERROR "${target}: an include of ${header} from below its layer built")
  endif()
  string(FIND "${out}${err}" "${header}: No such file or directory" missing)
  if(missing EQUAL -1)
    message(FATAL_ERROR "${target} failed for another reason than ${header}:\n${out}${err}")
  endif()
  message(STATUS "${target}: ${header} out of reach")
endforeach()

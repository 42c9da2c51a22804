# SPDX-License-Identifier: Apache-2.0
# Fails when a source file does not name its licence in its first lines: the package's copyright
# file and every file's SPDX line must agree, and a file added without one would not.
# Run as: cmake -DROOT=<project root> -P CheckLicenceLines.cmake
cmake_minimum_required(VERSION 3.20)
set(missing "")
foreach(folder src tools tests bench fuzz)
  file(GLOB_RECURSE files ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cmake
       ${ROOT}/${folder}/CMakeLists.txt)
  foreach(file ${files})
    if(file MATCHES "/fixtures/")
      continue()
    endif()
    file(READ ${file} head LIMIT 300)
    if(NOT head MATCHES "SPDX-License-Identifier: Apache-2.0")
      file(RELATIVE_PATH name ${ROOT} ${file})
      list(APPEND missing ${name})
    endif()
  endforeach()
endforeach()
if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "without an SPDX-License-Identifier line at the top:\n  ${text}")
endif()

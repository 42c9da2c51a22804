# stage_install(<build dir> <stage>): a fresh `cmake --install` of the build into <stage>, as a
# package build does it (prefix /usr, DESTDIR=<stage>).
function(stage_install build stage)
  file(REMOVE_RECURSE "${stage}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${stage}"
            "${CMAKE_COMMAND}" --install "${build}" --prefix /usr
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
  endif()
endfunction()

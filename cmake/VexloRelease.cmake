# The files a user downloads are the same, byte for byte, from any clean
# build of a commit: the linker writes the commit's time (SOURCE_DATE_EPOCH
# where set) into their PE headers instead of the time it ran.
# tools/release_facts.py decides that time for the build, tools/package and
# the release checks alike.
#   vexlo_release_files(TARGETS...)   link these with the commit's time

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(release_facts ${CMAKE_SOURCE_DIR}/tools/release_facts.py)
execute_process(COMMAND ${Python3_EXECUTABLE} ${release_facts} source-date-epoch
                OUTPUT_VARIABLE VEXLO_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
# A new commit configures the tree again, and the changed link command links
# the release files again with its time.
execute_process(COMMAND ${Python3_EXECUTABLE} ${release_facts} head-files
                OUTPUT_VARIABLE head_files OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${release_facts} ${head_files})

function(vexlo_release_files)
  # GNU ld takes a PE image's time stamp from SOURCE_DATE_EPOCH.
  set_property(TARGET ${ARGN} PROPERTY CXX_LINKER_LAUNCHER
               ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VEXLO_SOURCE_DATE_EPOCH})
endfunction()

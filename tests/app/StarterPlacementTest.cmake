# The starter dashboard's placement: copied where there is no work.txt, and a work.txt the user
# changed stays as it is, as does a link the user put there.
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
set(work "${SCRATCH}/work.txt")
function(place)
  execute_process(COMMAND ${CMAKE_COMMAND} -DFROM=${STARTER} -DTO=${work} -P ${SCRIPT}
                  RESULT_VARIABLE status OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "placing the starter failed: ${status}")
  endif()
endfunction()

place()
file(SHA256 "${STARTER}" want)
file(SHA256 "${work}" got)
if(NOT got STREQUAL want)
  message(FATAL_ERROR "no work.txt: the starter was not copied")
endif()

file(WRITE "${work}" "the user's own dashboard")
place()
file(READ "${work}" kept)
if(NOT kept STREQUAL "the user's own dashboard")
  message(FATAL_ERROR "the user's work.txt was overwritten")
endif()

file(REMOVE "${work}")
file(CREATE_LINK "${SCRATCH}/elsewhere.txt" "${work}" SYMBOLIC)
place()
if(EXISTS "${SCRATCH}/elsewhere.txt" OR NOT IS_SYMLINK "${work}")
  message(FATAL_ERROR "the user's link was written through or replaced")
endif()
file(REMOVE_RECURSE "${SCRATCH}")

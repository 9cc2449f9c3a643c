# cmake -DFROM=<file> -DTO=<file> -P CopyIfAbsent.cmake
# Copies FROM to TO only when there is nothing at TO: a file the user has there, changed or not,
# is never overwritten.
if(NOT FROM OR NOT TO)
  message(FATAL_ERROR "CopyIfAbsent: FROM and TO are both needed")
endif()
if(NOT EXISTS "${TO}" AND NOT IS_SYMLINK "${TO}")
  file(COPY_FILE "${FROM}" "${TO}")
  message(STATUS "Starter dashboard placed at ${TO}")
endif()

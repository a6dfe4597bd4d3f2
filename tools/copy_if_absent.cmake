# cmake -DSOURCE=<file> -DDEST_DIR=<folder> -P copy_if_absent.cmake
# Puts a delivered database file into the program's DATA folder only when none is there:
# a file already in place holds a user's data and is never overwritten.
if(NOT SOURCE OR NOT DEST_DIR)
    message(FATAL_ERROR "copy_if_absent.cmake needs SOURCE and DEST_DIR")
endif()
cmake_path(GET SOURCE FILENAME name)
if(NOT EXISTS "${DEST_DIR}/${name}")
    file(MAKE_DIRECTORY "${DEST_DIR}")
    file(COPY_FILE "${SOURCE}" "${DEST_DIR}/${name}.tmp")
    file(RENAME "${DEST_DIR}/${name}.tmp" "${DEST_DIR}/${name}")
    message(STATUS "Placed ${DEST_DIR}/${name}")
endif()

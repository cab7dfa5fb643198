# Copies SOURCE to TARGET unless TARGET exists.
if(NOT EXISTS "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
  message(STATUS "Installed ${TARGET}")
endif()

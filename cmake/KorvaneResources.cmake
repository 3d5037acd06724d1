# Copies the shipped resources (data/) beside the executables on every build,
# so an edited language or definition file is picked up without reconfiguring.
add_custom_target(korvane_resources ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${KORVANE_BIN_DIR}
  COMMENT "Copying resources beside the executables"
  VERBATIM)

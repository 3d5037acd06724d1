# Copies the shipped resources (data/) beside the executables on every build,
# so an edited language or definition file is picked up without reconfiguring.
add_custom_target(korvane_resources ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${KORVANE_BIN_DIR}
  COMMENT "Copying resources beside the executables"
  VERBATIM)

# Installed, the resources sit in <prefix>/share/korvane, where the programs
# look for them relative to their own folder (../share/korvane).
set(KORVANE_RESOURCES_DIR ${CMAKE_INSTALL_DATADIR}/korvane)
install(FILES ${PROJECT_SOURCE_DIR}/data/config.xml DESTINATION ${KORVANE_RESOURCES_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/device DESTINATION ${KORVANE_RESOURCES_DIR} FILES_MATCHING PATTERN "*.xml")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/language DESTINATION ${KORVANE_RESOURCES_DIR} FILES_MATCHING PATTERN "*.lan")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/skins DESTINATION ${KORVANE_RESOURCES_DIR})

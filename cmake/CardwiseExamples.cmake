# Copies the example deck and its pictures and sounds into EXAMPLES/ beside a program's
# executable, where the demo command looks for it. Copies only what changed, so a deck
# drilled there keeps its setup data file.
function(cardwise_copy_examples target)
  file(GLOB example_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*)
  set(destination $<TARGET_FILE_DIR:${target}>/EXAMPLES)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_examples.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${destination}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${example_files} ${destination}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${example_files}
    COMMENT "Copying the example deck beside ${target}"
    VERBATIM)
  add_custom_target(${target}_examples ALL DEPENDS ${stamp})
  add_dependencies(${target}_examples ${target})
endfunction()

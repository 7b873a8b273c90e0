# A part of the programs loaded when first needed: its code as a library of objects
# (<name>_code, which tests, fuzzing and benchmarks can link in) and the module made of it,
# installed to the library folder beside the bin one. Sets, in the scope above the caller,
# CARDWISE_<KEY>_MODULE_DEFINITIONS: where a program looks for the module (beside its own
# folder once installed, else where the build put it).
# A macro, so that the definitions reach the scope above the directory that calls it.
macro(cardwise_add_module name)
  cmake_parse_arguments(CARDWISE_MODULE "" "KEY" "SOURCES;LINK" ${ARGN})
  add_library(${name}_code OBJECT ${CARDWISE_MODULE_SOURCES})
  target_include_directories(${name}_code PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name}_code PUBLIC ${CARDWISE_MODULE_LINK})
  set_target_properties(${name}_code PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  add_library(${name} MODULE)
  target_link_libraries(${name} PRIVATE ${name}_code)
  set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/modules)
  install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/cardwise)
  set(CARDWISE_${CARDWISE_MODULE_KEY}_MODULE_DEFINITIONS
    CARDWISE_${CARDWISE_MODULE_KEY}_MODULE_FROM_BIN="${CARDWISE_MODULES_FROM_BIN}/$<TARGET_FILE_NAME:${name}>"
    CARDWISE_${CARDWISE_MODULE_KEY}_MODULE_BUILT="$<TARGET_FILE:${name}>"
    PARENT_SCOPE)
endmacro()

# The game LCD images are drawn at build time by tarvolin-lcdgen from the game drivers'
# own layouts and compiled into tarvolin_core. The generator links the core's objects
# directly (it runs before the library that holds the images exists).
function(tarvolin_add_generated_core_sources target)
  add_executable(tarvolin-lcdgen ${PROJECT_SOURCE_DIR}/tools/lcdgen/main.cpp)
  # Libraries added to the core archive for the core sources serve the generator too.
  target_link_libraries(tarvolin-lcdgen PRIVATE tarvolin_core_objects
    "$<FILTER:$<TARGET_PROPERTY:${target},LINK_LIBRARIES>,EXCLUDE,^tarvolin_core_objects$>")
  set(_images ${PROJECT_BINARY_DIR}/lcd_images)
  set(_source ${PROJECT_BINARY_DIR}/generated/game_lcd_images.cpp)
  add_custom_command(
    OUTPUT ${_source}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/generated
    COMMAND tarvolin-lcdgen ${_images} ${_source}
    DEPENDS tarvolin-lcdgen
    COMMENT "Drawing the game LCD images"
    VERBATIM)
  target_sources(${target} PRIVATE ${_source})
endfunction()

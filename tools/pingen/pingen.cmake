# The two pin diagrams of the MCU-pins window are drawn at build time by tarvolin-pingen from
# the chips' pin tables and compiled into the desktop program's views, where the window finds
# them by resource name. The generator draws text with Qt (offscreen) and a DejaVu font.
function(tarvolin_add_pin_diagrams target)
  add_executable(tarvolin-pingen ${PROJECT_SOURCE_DIR}/tools/pingen/main.cpp)
  target_link_libraries(tarvolin-pingen PRIVATE tarvolin_core Qt6::Gui)
  set(_images ${PROJECT_BINARY_DIR}/pin_diagrams)
  set(_source ${PROJECT_BINARY_DIR}/generated/pin_diagrams.cpp)
  add_custom_command(
    OUTPUT ${_source}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/generated
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:tarvolin-pingen> ${_images} ${_source}
    DEPENDS tarvolin-pingen
    COMMENT "Drawing the MCU pin diagrams"
    VERBATIM)
  target_sources(${target} PRIVATE ${_source})
endfunction()

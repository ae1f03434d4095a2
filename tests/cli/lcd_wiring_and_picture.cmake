# tarvolin-cli wiring DRIVER and run ... --lcd FILE.png
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(expect_contains text what)
  string(FIND "${text}" "${what}" _at)
  if(_at EQUAL -1)
    message(FATAL_ERROR "expected \"${what}\" in:\n${text}")
  endif()
endfunction()

# The MH-06 wiring: common pins marked, a pin without pads, pad records with positions.
execute_process(COMMAND ${CLI} wiring tmh06lcddriver RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "wiring failed (${rc}): ${err}")
endif()
expect_contains("${out}" "TMH06LCDDriver: Nintendo G&W MH-06 \"Manhole\"")
expect_contains("${out}" "   29  COM0      1 14\n")
expect_contains("${out}" "   30  COM1      13 36\n")
expect_contains("${out}" "   43  O0 bit 3  -\n")
expect_contains("${out}" "   46  O0 bit 0  12\n")
expect_contains("${out}" "   12       -12     1     1\n")
expect_contains("${out}" "    1        -1   COM     -  drives 2 3 4 5 6 7 8 9 10 11 12; twin none\n")
expect_contains("${out}" "common-pad groups: approximate")

# Twins and the Elektronika chip's pins.
execute_process(COMMAND ${CLI} wiring TIM09LCDDriver RESULT_VARIABLE rc OUTPUT_VARIABLE out)
expect_contains("${out}" "chip: КБ1013ВК1-2")
expect_contains("${out}" "   14  COM0      13 39\n")
expect_contains("${out}" "twin 39\n")
expect_contains("${out}" "common-pad groups: confirmed")

# An unknown driver is a usage error.
execute_process(COMMAND ${CLI} wiring TNoSuchLCDDriver RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "unknown driver: exit ${rc}, expected 2")
endif()
expect_contains("${err}" "unknown LCD driver \"TNoSuchLCDDriver\"")

# A run writes the picture; an unknown --driver is refused before running.
execute_process(COMMAND ${CLI} asm ${SOURCE_DIR}/examples/demo.asm -o ${WORK_DIR}/demo.rom RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "assembling the demo failed")
endif()
execute_process(COMMAND ${CLI} run ${WORK_DIR}/demo.rom --game IM02 --driver TIM51LCDDriver --steps 2000
                        --lcd ${WORK_DIR}/lcd.png
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK_DIR}/lcd.png)
  message(FATAL_ERROR "run --lcd failed (${rc}): ${err}")
endif()
file(READ ${WORK_DIR}/lcd.png head LIMIT 24 HEX)
# PNG signature, IHDR, width 1355 (0x54B), height 864 (0x360)
if(NOT head STREQUAL "89504e470d0a1a0a0000000d494844520000054b00000360")
  message(FATAL_ERROR "not a 1355 x 864 PNG: ${head}")
endif()
execute_process(COMMAND ${CLI} run ${WORK_DIR}/demo.rom --driver TNoSuch --lcd ${WORK_DIR}/other.png
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2 OR EXISTS ${WORK_DIR}/other.png)
  message(FATAL_ERROR "unknown --driver: exit ${rc}, expected 2 and no picture")
endif()

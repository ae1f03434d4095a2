# Debug sessions without a window: a run saved as a session continues exactly where it
# stood, a session is shown field by field, resaved byte for byte, and bad uses are refused.
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

cli(0 "" asm ${SOURCE_DIR}/examples/demo.asm -o demo.rom)

# 40 steps in one run, and 25 + 15 through a session: the last 15 trace lines agree (the
# step numbers start again at 1 for the continued run).
cli(0 ${WORK_DIR}/whole.txt run demo.rom --steps 40 --trace --matrix 1000)
cli(0 "" run demo.rom --steps 25 --matrix 1000 --save-session part.dbgsession)
cli(0 ${WORK_DIR}/rest.txt run --session part.dbgsession --rom demo.rom --steps 15 --trace)
file(STRINGS ${WORK_DIR}/whole.txt whole REGEX "^[0-9]+ PC=")
file(STRINGS ${WORK_DIR}/rest.txt rest REGEX "^[0-9]+ PC=")
list(SUBLIST whole 25 15 tail)
foreach(i RANGE 14)
  list(GET tail ${i} a)
  list(GET rest ${i} b)
  string(REGEX REPLACE "^[0-9]+ " "" a "${a}")
  string(REGEX REPLACE "^[0-9]+ " "" b "${b}")
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "step ${i} after the session differs:\n${b}\nexpected:\n${a}")
  endif()
endforeach()
list(GET rest 0 first)
expect_contains("${first}" "1 PC=" "the continued trace starts at step 1")

# show: the fields in file order, with their decoded values.
cli(0 "" session show part.dbgsession)
set(shown "${CLI_STDOUT}")
foreach(line "main.window_placement size=0" "main.right_panel_width 0" "main.game \"custom_game\" (A custom game)"
             "io.input_matrix direct=1 r4=0 r3=0 r2=0" "mcu.lcd_driver \"TGenericLCDDriver\"" "mcu.recording 0"
             "main.triggered_read_address 00" "main.speed 3" "main.radiation_intensity 1" "main.selected_line -1")
  expect_contains("${shown}" "${line}\n" "session show")
endforeach()
string(FIND "${shown}" "main.game" game_at)
string(FIND "${shown}" "mcu.pc" pc_at)
string(FIND "${shown}" "main.code_breakpoints" bps_at)
if(NOT game_at LESS pc_at OR NOT pc_at LESS bps_at)
  message(FATAL_ERROR "session show is not in file order:\n${shown}")
endif()

# resave: the same bytes; a recording (--wav records) survives with the whole buffer.
cli(0 "" session resave part.dbgsession --rom demo.rom -o again.dbgsession)
same_file(${WORK_DIR}/again.dbgsession ${WORK_DIR}/part.dbgsession)
cli(0 "" run demo.rom --steps 60 --wav rec.wav --save-session rec.dbgsession)
cli(0 "" session show rec.dbgsession)
expect_contains("${CLI_STDOUT}" "mcu.audio_buffer 20971520 bytes" "recorded session")
expect_contains("${CLI_STDOUT}" "main.sound_recording 1" "recorded session")
cli(0 "" session resave rec.dbgsession --rom demo.rom -o rec2.dbgsession)
same_file(${WORK_DIR}/rec2.dbgsession ${WORK_DIR}/rec.dbgsession)
cli(0 "" run --session rec.dbgsession --rom demo.rom --steps 10 --wav more.wav)
file(SIZE ${WORK_DIR}/rec.wav before)
file(SIZE ${WORK_DIR}/more.wav after)
if(NOT after GREATER before)
  message(FATAL_ERROR "the continued recording did not grow: ${before} -> ${after} bytes")
endif()

# Refusals.
cli(2 "" run --session part.dbgsession --steps 1)
expect_contains("${CLI_STDERR}" "needs its ROM: give --rom ROM" "no ROM")
cli(2 "" run demo.rom --session part.dbgsession)
cli(2 "" run --session part.dbgsession --rom demo.rom --game AC01)
file(WRITE ${WORK_DIR}/bad.dbgsession "Vornmax")
cli(1 "" session show bad.dbgsession)
expect_contains("${CLI_STDERR}" "Error loading debug session - invalid signature." "bad signature")
cli(1 "" session resave missing.dbgsession --rom demo.rom -o x.dbgsession)
cli(2 "" session resave part.dbgsession --rom demo.rom)

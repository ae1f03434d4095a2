# run: what each option means, read off the machine's RAM after the run (tests/cli/data/inputs.asm
# stores the inputs it reads) and off the trace.
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

cli(0 "" asm ${DATA}/inputs.asm -o inputs.rom)

# --matrix: four hex digits for the direct inputs (always read), R4, R3 and R2, in that order.
# --alpha / --beta: each signals its own input.
cli(0 "" run inputs.rom --steps 40 --matrix 8124 --alpha 1)
expect_contains("${CLI_STDOUT}" "RAM=9AC801" "--matrix 8124 --alpha 1")
cli(0 "" run inputs.rom --steps 40 --matrix 0421 --beta 1)
expect_contains("${CLI_STDOUT}" "RAM=421010" "--matrix 0421 --beta 1")

# With --session, --matrix replaces the inputs the session stored; without it they stay.
cli(0 "" run inputs.rom --steps 1 --matrix 0421 --save-session start.dbgsession)
cli(0 "" run --session start.dbgsession --rom inputs.rom --steps 40 --matrix 8124)
expect_contains("${CLI_STDOUT}" "RAM=9AC8" "--matrix 8124 with --session")
cli(0 "" run --session start.dbgsession --rom inputs.rom --steps 40)
expect_contains("${CLI_STDOUT}" "RAM=4210" "the inputs stored in the session")

# --steps: 1000 steps by default (one trace line each), otherwise as many as given.
cli(0 "" run inputs.rom --trace)
string(REGEX MATCHALL "\n[0-9]+ PC=" lines "\n${CLI_STDOUT}")
list(LENGTH lines n)
if(NOT n EQUAL 1000)
  message(FATAL_ERROR "run without --steps traced ${n} steps, expected 1000")
endif()
expect_contains("${CLI_STDOUT}" "\n1000 PC=" "the last of 1000 steps")
cli(0 "" run inputs.rom --trace --steps 3)
expect_contains("${CLI_STDOUT}" "\n3 PC=3C3 OP=01 " "--steps 3")
string(FIND "${CLI_STDOUT}" "\n4 PC=" pos)
if(NOT pos EQUAL -1)
  message(FATAL_ERROR "--steps 3 ran a fourth step")
endif()

# --derivated records the changes of the buzzer instead of its level: a run with R1 high from
# the start differs between the two.
cli(0 "" run inputs.rom --steps 60 --wav level.wav)
cli(0 "" run inputs.rom --steps 60 --wav change.wav --derivated)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/level.wav ${WORK_DIR}/change.wav RESULT_VARIABLE differ)
if(NOT differ)
  message(FATAL_ERROR "--derivated wrote the same WAV as the level recording")
endif()

# run: the trace format, errors inside a step, halted steps, inputs, RAM and CYCLES lines,
# byte for byte; the demo program's first steps; the WAV recording.
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

cli(0 "" asm ${DATA}/trace.asm -o trace.rom)
cli(0 ${WORK_DIR}/trace.txt run trace.rom --steps 18 --trace --matrix 0500 --full-run-rate 0)
same_file(${WORK_DIR}/trace.txt ${DATA}/trace_expected.txt)

# Without --trace only RAM and CYCLES; the errors are summed up on standard error.
cli(0 ${WORK_DIR}/quiet.txt run trace.rom --steps 18 --matrix 0500 --full-run-rate 0)
file(READ ${WORK_DIR}/trace.txt traced)
string(FIND "${traced}" "RAM=" pos)
string(SUBSTRING "${traced}" ${pos} -1 tail)
file(READ ${WORK_DIR}/quiet.txt quiet)
if(NOT quiet STREQUAL tail)
  message(FATAL_ERROR "run without --trace printed:\n${quiet}\nexpected:\n${tail}")
endif()
expect_contains("${CLI_STDERR}" "2 step(s) raised an emulator error; the first: RTN/RTNS outside subroutine?" "run stderr")

# Alpha signalled: TA does not skip; the KB1013VK1-2 names appear in the error message.
cli(0 ${WORK_DIR}/alpha.txt run trace.rom --steps 5 --trace --alpha 1 --mnemonics kb)
file(READ ${WORK_DIR}/alpha.txt alpha)
expect_contains("${alpha}" "ERROR=\"RT/RTS outside subroutine?\"\n" "--mnemonics kb")
expect_contains("${alpha}" "\n4 PC=3C4 OP=50 " "--alpha 1")
expect_contains("${alpha}" "\n5 PC=3C5 OP=27 ACC=7 " "--alpha 1")

# The demo: the same steps as ./dev run shows.
cli(0 "" asm ${SOURCE_DIR}/examples/demo.asm -o demo.rom)
cli(0 ${WORK_DIR}/demo.txt run demo.rom --steps 40 --trace)
same_file(${WORK_DIR}/demo.txt ${DATA}/demo_40_steps.txt)

# A recording of every cycle: 44 header bytes and two per cycle.
cli(0 ${WORK_DIR}/wav.txt run demo.rom --steps 100 --wav demo.wav --derivated)
file(READ ${WORK_DIR}/wav.txt wavout)
string(REGEX MATCH "CYCLES=([0-9]+)" m "${wavout}")
file(SIZE ${WORK_DIR}/demo.wav size)
math(EXPR expected "44 + 2 * ${CMAKE_MATCH_1}")
if(NOT size EQUAL expected)
  message(FATAL_ERROR "demo.wav has ${size} bytes, expected ${expected}")
endif()
file(READ ${WORK_DIR}/demo.wav head LIMIT 12)
expect_contains("${head}" "RIFF" "WAV header")

# convert: the same conversions as "tarvolin /DeLFSR" and "/DeJAVA".
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

file(WRITE ${WORK_DIR}/rom.txt "0x00, 0x01")
cli(0 "" convert --dejava rom.txt)
expect_contains("${CLI_STDOUT}" "rom.seq" "convert output")
same_file(${WORK_DIR}/rom.seq ${DATA}/rom_txt.seq)

# A raw dump: the .seq of an assembled image is the execution order, with the fixed
# jump (80) on every step 63.
cli(0 "" asm ${SOURCE_DIR}/examples/demo.asm -o demo.bin)
cli(0 "" convert --delfsr demo.bin)
same_file(${WORK_DIR}/demo.seq ${DATA}/demo.seq)

file(WRITE ${WORK_DIR}/bad.txt "1, 2, x")
cli(1 "" convert --dejava bad.txt)
expect_contains("${CLI_STDERR}" "value 3: 'x' is not a valid integer value" "bad token")
if(EXISTS ${WORK_DIR}/bad.seq)
  message(FATAL_ERROR "a failed conversion wrote its output")
endif()

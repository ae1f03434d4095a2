# Files the tool reads and writes: a pipe given as input is refused at once (nothing waits for
# a writer), an output that is a link is written through it, a device is never replaced, and
# a listing written by disasm assembles back into the same ROM.
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

file(WRITE ${WORK_DIR}/ok.asm ".org $100\nstart: LAX Acc,0x5\n        TR start\n")
cli(0 "" asm ok.asm -o ok.rom)

execute_process(COMMAND mkfifo ${WORK_DIR}/pipe RESULT_VARIABLE made)
if(made EQUAL 0)
  cli(1 "" asm pipe -o never.rom)
  expect_contains("${CLI_STDERR}" "Cannot open file \"pipe\": it is a named pipe (FIFO), not a file" "asm of a pipe")
  cli(1 "" convert --dejava pipe)
  expect_contains("${CLI_STDERR}" "it is a named pipe (FIFO), not a file" "convert of a pipe")
  cli(1 "" disasm ok.rom -o pipe)
  expect_contains("${CLI_STDERR}" "Cannot write file \"pipe\": it is a named pipe (FIFO), not a file" "listing onto a pipe")
endif()

if(EXISTS /dev/full)
  cli(1 "" run ok.rom --steps 10 --wav /dev/full)
  expect_contains("${CLI_STDERR}" "Cannot write file \"/dev/full\": it is a device, not a file" "--wav onto a device")
  execute_process(COMMAND test -c /dev/full RESULT_VARIABLE still_device)
  if(NOT still_device EQUAL 0)
    message(FATAL_ERROR "/dev/full is no longer a device")
  endif()
endif()

# A listing saved through a link: the link stays, the file it points to gets the listing.
file(WRITE ${WORK_DIR}/real.txt "old")
file(CREATE_LINK real.txt ${WORK_DIR}/link.txt SYMBOLIC)
cli(0 "" disasm ok.rom -o link.txt)
if(NOT IS_SYMLINK ${WORK_DIR}/link.txt)
  message(FATAL_ERROR "the link was replaced by a file")
endif()
file(READ ${WORK_DIR}/real.txt listing)
expect_contains("${listing}" "100 25       " "listing written through the link")

# The exported listing is a source: its address and byte columns are read as the listing means.
cli(0 "" asm real.txt -o again.rom)
same_file(${WORK_DIR}/again.rom ${WORK_DIR}/ok.rom)

# "-o -" is standard output, not a file named "-".
cli(0 "" disasm ok.rom -o -)
expect_contains("${CLI_STDOUT}" "100 25       " "listing on standard output")
if(EXISTS ${WORK_DIR}/-)
  message(FATAL_ERROR "disasm -o - wrote a file named -")
endif()

# Every verb answers --help; bad arguments and unreadable files give a non-zero exit
# status and a message that names the problem.
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

cli(0 "" --help)
set(overview "${CLI_STDOUT}")
foreach(verb disasm asm convert run bench)
  expect_contains("${overview}" "  ${verb}" "overview")
  cli(0 "" ${verb} --help)
  expect_contains("${CLI_STDOUT}" "usage: tarvolin-cli ${verb}" "${verb} --help")
endforeach()
cli(0 "" run --help)
expect_contains("${CLI_STDOUT}" "[--mnemonics native|sharp|kb] [--wav FILE] [--derivated]" "run --help")

cli(0 "" --version)
if(NOT CLI_STDOUT MATCHES "^tarvolin-cli [0-9]+\\.[0-9]+\\.[0-9]+\n$")
  message(FATAL_ERROR "--version printed '${CLI_STDOUT}'")
endif()

cli(2 "")
cli(2 "" frobnicate)
expect_contains("${CLI_STDERR}" "unknown verb \"frobnicate\"" "unknown verb")

file(WRITE ${WORK_DIR}/ok.asm "SKIP\n")
cli(0 "" asm ok.asm -o ok.rom)
file(SIZE ${WORK_DIR}/ok.rom size)
if(NOT size EQUAL 1856)
  message(FATAL_ERROR "ok.rom has ${size} bytes")
endif()

# bad arguments: exit status 2
foreach(args
    "run"
    "run;ok.rom;--steps;abc"
    "run;ok.rom;--steps"
    "run;ok.rom;--matrix;12"
    "run;ok.rom;--alpha;2"
    "run;ok.rom;--game;no_such_game"
    "run;ok.rom;--mnemonics;latin"
    "run;ok.rom;--bogus"
    "disasm;ok.rom;--game;no_such_game"
    "asm;ok.asm"
    "convert;ok.rom"
    "convert;--delfsr;--dejava;ok.rom"
    "bench;ok.rom;--seconds;0")
  cli(2 "" ${args})
  if(CLI_STDERR STREQUAL "")
    message(FATAL_ERROR "no message for: ${args}")
  endif()
endforeach()
cli(2 "" run ok.rom --game no_such_game)
expect_contains("${CLI_STDERR}" "unknown game \"no_such_game\" (known games: AC01, FL02, " "--game")
expect_contains("${CLI_STDERR}" ", SM11, custom_game)" "--game")
# An output that is the input file itself is refused and the input is left as it was.
file(WRITE ${WORK_DIR}/self.asm "SKIP\n")
foreach(args "asm;self.asm;-o;self.asm" "asm;self.asm;-o;./self.asm" "disasm;ok.rom;-o;ok.rom" "run;ok.rom;--wav;ok.rom")
  cli(2 "" ${args})
  expect_contains("${CLI_STDERR}" "is the input file itself" "${args}")
endforeach()
file(READ ${WORK_DIR}/self.asm self)
if(NOT self STREQUAL "SKIP\n")
  message(FATAL_ERROR "asm overwrote its source")
endif()
file(SIZE ${WORK_DIR}/ok.rom size)
if(NOT size EQUAL 1856)
  message(FATAL_ERROR "a refused output changed ok.rom (${size} bytes)")
endif()
cli(2 "" run ok.rom --steps abc)
expect_contains("${CLI_STDERR}" "option --steps needs a whole number, not \"abc\"" "--steps")

# unreadable files and bad sources: exit status 1
cli(1 "" run missing.rom)
expect_contains("${CLI_STDERR}" "Cannot open file \"missing.rom\": no such file or directory" "missing ROM")
cli(1 "" disasm ${WORK_DIR})
expect_contains("${CLI_STDERR}" "it is a folder" "folder as ROM")
# A file that opens but cannot be read is a failure, not a run of an empty image.
if(EXISTS /proc/self/mem)
  foreach(verb run disasm bench)
    cli(1 "" ${verb} /proc/self/mem)
    expect_contains("${CLI_STDERR}" "Cannot read file \"/proc/self/mem\": input/output error" "${verb} of an unreadable file")
  endforeach()
  cli(1 "" asm /proc/self/mem -o never.rom)
  expect_contains("${CLI_STDERR}" "Cannot read file \"/proc/self/mem\": input/output error" "asm of an unreadable file")
  cli(1 "" convert --delfsr /proc/self/mem)
  expect_contains("${CLI_STDERR}" "Cannot read file \"/proc/self/mem\"" "convert of an unreadable file")
endif()
cli(1 "" asm missing.asm -o x.rom)
file(WRITE ${WORK_DIR}/bad.asm "        SKIP\n        FOO   Acc\n        TR    nowhere\n")
cli(1 "" asm bad.asm -o bad.rom)
expect_contains("${CLI_STDERR}" "bad.asm:2: unknown mnemonic FOO" "asm errors")
expect_contains("${CLI_STDERR}" "bad.asm:3: unknown label nowhere" "asm errors")
if(EXISTS ${WORK_DIR}/bad.rom)
  message(FATAL_ERROR "a failed assembly wrote its output")
endif()
cli(1 "" convert --delfsr missing.bin)
cli(1 "" disasm ok.rom -o ${WORK_DIR}/no/such/folder/x.txt)

# bench prints its four figures
cli(0 "" bench ok.rom --seconds 0.05)
if(NOT CLI_STDOUT MATCHES "^steps=[0-9]+ cycles=[0-9]+ seconds=[0-9.]+ cycles_per_second=[0-9]+\n$")
  message(FATAL_ERROR "bench printed: ${CLI_STDOUT}")
endif()

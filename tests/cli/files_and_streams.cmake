# What the tool reads and writes: no game ".dat" file unless one is named, a named one applied
# whole or not at all, outputs that are inputs refused, standard output checked, the ROM-size
# warning, and file names after "--".
include(${CMAKE_CURRENT_LIST_DIR}/data/helpers.cmake)

# bytes(<file> <octal escapes>): writes binary data through printf.
function(bytes file text)
  execute_process(COMMAND sh -c "printf '${text}' > '${file}'" RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "cannot write ${file}")
  endif()
endfunction()

file(WRITE ${WORK_DIR}/ok.asm "SKIP\n")
cli(0 "" asm ok.asm -o ok.rom)

# A user-data block: one range patching 3C0 (reset) to 25 (LAX 5), one entry labelling it "entry".
bytes(${WORK_DIR}/good.dat "\\001\\000\\000\\000\\001\\000\\000\\000\\300\\003\\001\\000\\045\\001\\000\\000\\000\\300\\003\\005\\000\\000\\000e\\000n\\000t\\000r\\000y\\000\\000\\000\\000\\000")
# The same range, then a second range whose bytes are missing.
bytes(${WORK_DIR}/bad.dat "\\001\\000\\000\\000\\002\\000\\000\\000\\300\\003\\001\\000\\045\\000\\000\\010\\000\\001")

# A copy of the tool whose program folder (its own, writable) holds custom_game.dat.
file(MAKE_DIRECTORY ${WORK_DIR}/tool)
file(COPY ${CLI} DESTINATION ${WORK_DIR}/tool)
get_filename_component(cli_name ${CLI} NAME)
file(COPY ${WORK_DIR}/good.dat DESTINATION ${WORK_DIR}/tool)
file(RENAME ${WORK_DIR}/tool/good.dat ${WORK_DIR}/tool/custom_game.dat)
set(CLI ${WORK_DIR}/tool/${cli_name})
cli(0 "" run ok.rom --steps 1 --trace)
expect_contains("${CLI_STDOUT}" "1 PC=3C1 OP=00 ACC=0 " "a .dat file in the program folder is not read")
cli(0 "" disasm ok.rom)
string(FIND "${CLI_STDOUT}" "entry" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "disasm applied the program folder's custom_game.dat")
endif()
if(NOT EXISTS ${WORK_DIR}/tool/custom_game.dat)
  message(FATAL_ERROR "the program folder's .dat file was retired or deleted")
endif()

# Named with --user-data, the file applies to every verb that loads a ROM.
cli(0 "" run ok.rom --steps 1 --trace --user-data good.dat)
expect_contains("${CLI_STDOUT}" "1 PC=3C1 OP=25 ACC=5 " "run --user-data")
cli(0 "" disasm ok.rom --user-data good.dat)
expect_contains("${CLI_STDOUT}" "entry" "disasm --user-data")
# A damaged one applies nothing, names the file, fails and writes no output.
foreach(verb run disasm bench)
  cli(1 "" ${verb} ok.rom --user-data bad.dat)
  expect_contains("${CLI_STDERR}" "The user data file \"bad.dat\" was not loaded: Stream read error" "${verb} bad.dat")
  if(NOT CLI_STDOUT STREQUAL "")
    message(FATAL_ERROR "${verb} with a bad .dat printed: ${CLI_STDOUT}")
  endif()
endforeach()
cli(1 "" disasm ok.rom --user-data bad.dat -o never.txt)
cli(1 "" run ok.rom --user-data ${WORK_DIR})
expect_contains("${CLI_STDERR}" "was not loaded: it is a folder" "folder as .dat")
if(EXISTS ${WORK_DIR}/never.txt)
  message(FATAL_ERROR "a refused .dat file still let disasm write its output")
endif()

# Every output option refuses every input, under any name; the input is left as it was.
file(CREATE_LINK ${WORK_DIR}/ok.rom ${WORK_DIR}/link.rom SYMBOLIC)
cli(0 "" run ok.rom --steps 3 --save-session s.dbgsession)
file(SHA256 ${WORK_DIR}/ok.rom rom_hash)
file(SHA256 ${WORK_DIR}/good.dat dat_hash)
file(SHA256 ${WORK_DIR}/s.dbgsession session_hash)
foreach(args
    "run;ok.rom;--lcd;ok.rom"
    "run;ok.rom;--lcd;link.rom"
    "run;link.rom;--wav;./ok.rom"
    "run;ok.rom;--save-session;ok.rom"
    "run;ok.rom;--user-data;good.dat;--lcd;good.dat"
    "run;--session;s.dbgsession;--rom;ok.rom;--lcd;s.dbgsession"
    "run;--session;s.dbgsession;--rom;ok.rom;--save-session;ok.rom"
    "disasm;ok.rom;--user-data;good.dat;-o;good.dat"
    "session;resave;s.dbgsession;--rom;ok.rom;-o;s.dbgsession"
    "session;resave;s.dbgsession;--rom;ok.rom;-o;link.rom")
  cli(2 "" ${args})
  expect_contains("${CLI_STDERR}" "is the input file itself" "${args}")
endforeach()
foreach(f rom dat session)
  set(name ok.rom)
  if(f STREQUAL "dat")
    set(name good.dat)
  elseif(f STREQUAL "session")
    set(name s.dbgsession)
  endif()
  file(SHA256 ${WORK_DIR}/${name} now)
  if(NOT now STREQUAL ${f}_hash)
    message(FATAL_ERROR "a refused output changed ${name}")
  endif()
endforeach()

# "-o -" writes to standard output, not to a file named "-".
cli(0 ${WORK_DIR}/piped.rom asm ok.asm -o -)
same_file(${WORK_DIR}/piped.rom ${WORK_DIR}/ok.rom)
cli(0 ${WORK_DIR}/piped.txt disasm ok.rom -o -)
cli(0 "" disasm ok.rom -o listed.txt)
same_file(${WORK_DIR}/piped.txt ${WORK_DIR}/listed.txt)
if(EXISTS ${WORK_DIR}/-)
  message(FATAL_ERROR "-o - wrote a file named -")
endif()

# Standard output is checked: a full disk is a failure, not a cut-off result with status 0.
if(EXISTS /dev/full)
  foreach(args "run;ok.rom;--trace;--steps;2000" "wiring;TMH06LCDDriver" "bench;ok.rom;--seconds;0.01"
               "disasm;ok.rom" "session;show;s.dbgsession" "--help" "--version" "run;--help")
    cli(1 /dev/full ${args})
    expect_contains("${CLI_STDERR}" "cannot write to standard output" "${args} > /dev/full")
  endforeach()
  # A long trace stops at the first failed write, with the reason.
  cli(1 /dev/full run ok.rom --trace --steps 100000000)
  expect_contains("${CLI_STDERR}" "cannot write to standard output: No space left on device" "long trace")
endif()

# A ROM of another size than 1856 bytes runs with the window's warning.
file(WRITE ${WORK_DIR}/short.rom "12345")
file(READ ${WORK_DIR}/ok.rom whole HEX)
foreach(verb run disasm)
  cli(0 "" ${verb} short.rom)
  expect_contains("${CLI_STDERR}" "ROM \"short.rom\": Unexpected data size: 5 bytes\nThis is probably not a valid SHARP SM-5A ROM data." "${verb}")
  cli(0 "" ${verb} ok.rom)
  if(NOT CLI_STDERR STREQUAL "")
    message(FATAL_ERROR "${verb} of a full-size ROM warned: ${CLI_STDERR}")
  endif()
endforeach()
file(WRITE ${WORK_DIR}/long.rom "${whole}") # hex text: 3712 bytes
cli(0 "" run long.rom --steps 1)
expect_contains("${CLI_STDERR}" "Unexpected data size: 3712 bytes" "long ROM")

# Values are typed and range-checked; file names that start with a dash follow "--".
foreach(args "run;ok.rom;--steps;-1" "run;ok.rom;--steps;99999999999999999999" "run;ok.rom;--full-run-rate;4294967296"
             "run;ok.rom;--steps;1;--steps;2" "bench;ok.rom;--seconds;-3" "bench;ok.rom;--seconds;nan"
             "wiring;TMH06LCDDriver;--chip;arm" "run;ok.rom;other.rom" "session;frobnicate;s.dbgsession")
  cli(2 "" ${args})
  if(CLI_STDERR STREQUAL "")
    message(FATAL_ERROR "no message for: ${args}")
  endif()
endforeach()
cli(2 "" run ok.rom --full-run-rate 4294967296)
expect_contains("${CLI_STDERR}" "option --full-run-rate is at most 4294967295" "--full-run-rate")
file(COPY_FILE ${WORK_DIR}/ok.rom ${WORK_DIR}/-dash.rom)
cli(2 "" run -dash.rom)
cli(0 "" run --steps 2 -- -dash.rom)
expect_contains("${CLI_STDOUT}" "CYCLES=" "run -- -dash.rom")

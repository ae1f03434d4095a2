# tarvolin-cli artwork export DRIVER DIR and artwork check DIR
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/art)

function(expect_contains text what)
  string(FIND "${text}" "${what}" _at)
  if(_at EQUAL -1)
    message(FATAL_ERROR "expected \"${what}\" in:\n${text}")
  endif()
endfunction()

function(run_cli expected_rc)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL ${expected_rc})
    message(FATAL_ERROR "${ARGN}: exit ${rc}, expected ${expected_rc}\n${out}${err}")
  endif()
  set(out "${out}${err}" PARENT_SCOPE)
endfunction()

# Export by picture name, then check: every segment works.
run_cli(0 artwork export mh06_lcd ${WORK_DIR}/art)
expect_contains("${out}" "MH06_LCD.points")
run_cli(0 artwork check ${WORK_DIR}/art)
expect_contains("${out}" "MH06_LCD (TMH06LCDDriver)\n  pad 2 COM0: works, 1 shape(s)\n")
expect_contains("${out}" "MH06_LCD: usable\n")

# An existing export is kept unless --force; by class name too.
run_cli(1 artwork export TMH06LCDDriver ${WORK_DIR}/art)
expect_contains("${out}" "exists; --force replaces it")
run_cli(0 artwork export TMH06LCDDriver ${WORK_DIR}/art --force)

# Two segments on one shape flood into each other: refused with a line per problem.
file(READ ${WORK_DIR}/art/MH06_LCD.points points)
string(REGEX MATCH "\n2 COM1 ([0-9]+,[0-9]+)" _ "${points}")
string(REGEX REPLACE "\n2 COM0 [0-9]+,[0-9]+" "\n2 COM0 ${CMAKE_MATCH_1}" points "${points}")
string(REGEX REPLACE "\n3 COM0 [^\n]*" "" points "${points}")
file(WRITE ${WORK_DIR}/art/MH06_LCD.points "${points}")
file(WRITE ${WORK_DIR}/art/XX99_LCD.png "not ours")
run_cli(1 artwork check ${WORK_DIR}/art)
expect_contains("${out}" "would flood into each other")
expect_contains("${out}" "  error: pad 3 COM0: no inner point given\n")
expect_contains("${out}" "MH06_LCD: refused, 2 problem(s) in MH06_LCD.points\n")
expect_contains("${out}" "XX99_LCD.png: error: no LCD driver has a picture of this name\n")

# Usage errors.
run_cli(2 artwork export TNoSuchLCDDriver ${WORK_DIR}/art)
run_cli(2 artwork check)
run_cli(2 artwork paint ${WORK_DIR}/art)
run_cli(1 artwork check ${WORK_DIR}/nothing-here)

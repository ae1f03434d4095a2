# Helpers of the tarvolin-cli tests (included by tests/cli/*.cmake).
# Each script gets -DCLI=<tarvolin-cli> -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch folder>.
if(NOT CLI OR NOT SOURCE_DIR OR NOT WORK_DIR)
  message(FATAL_ERROR "run with -DCLI=... -DSOURCE_DIR=... -DWORK_DIR=...")
endif()
set(DATA ${SOURCE_DIR}/tests/cli/data)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# cli(<expected exit code> <stdout file or ""> ARGS...): runs the tool, checks the exit code,
# and keeps standard error in CLI_STDERR.
function(cli expected_code out_file)
  if(out_file)
    execute_process(COMMAND ${CLI} ${ARGN} WORKING_DIRECTORY ${WORK_DIR}
      OUTPUT_FILE ${out_file} ERROR_VARIABLE err RESULT_VARIABLE code)
  else()
    execute_process(COMMAND ${CLI} ${ARGN} WORKING_DIRECTORY ${WORK_DIR}
      OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
    set(CLI_STDOUT "${out}" PARENT_SCOPE)
  endif()
  if(NOT "${code}" STREQUAL "${expected_code}")
    message(FATAL_ERROR "tarvolin-cli ${ARGN}: exit code ${code}, expected ${expected_code}\n${err}")
  endif()
  set(CLI_STDERR "${err}" PARENT_SCOPE)
endfunction()

# same_file(<produced> <golden>): byte-for-byte comparison.
function(same_file produced golden)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${produced} ${golden} RESULT_VARIABLE diff)
  if(diff)
    execute_process(COMMAND diff -u ${golden} ${produced} OUTPUT_VARIABLE d ERROR_QUIET)
    string(SUBSTRING "${d}" 0 4000 d)
    message(FATAL_ERROR "${produced} differs from ${golden}\n${d}")
  endif()
endfunction()

# expect_contains(<text> <substring> <what>)
function(expect_contains text sub what)
  string(FIND "${text}" "${sub}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "${what}: expected to find \"${sub}\" in:\n${text}")
  endif()
endfunction()

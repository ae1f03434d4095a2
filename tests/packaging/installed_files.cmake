# Installs the build into a scratch prefix and compares what lands there with the expected
# list; then checks the installed desktop entry, MIME type and manual pages as the desktop
# would read them.
#   cmake -DBUILD_DIR=... -DEXPECTED=... -DWORK_DIR=... -P installed_files.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(root ${WORK_DIR}/root)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${root}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}${err}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT installed)
file(STRINGS ${EXPECTED} expected)
list(SORT expected)
if(NOT installed STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  set(extra ${installed})
  list(REMOVE_ITEM extra ${expected})
  message(FATAL_ERROR "installed files differ from ${EXPECTED}\n  missing: ${missing}\n  not expected: ${extra}")
endif()

# The installed programs run from there.
foreach(p tarvolin tarvolin-cli)
  execute_process(COMMAND ${root}/bin/${p} --version RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "[0-9]+\\.[0-9]+\\.[0-9]+")
    message(FATAL_ERROR "installed ${p} --version: status ${rc}, '${out}${err}'")
  endif()
endforeach()

# The desktop entry opens session files with the program, whose MIME type is the one declared.
file(READ ${root}/share/applications/tarvolin.desktop desktop)
file(READ ${root}/share/mime/packages/tarvolin.xml mime)
string(REGEX MATCH "\nMimeType=([^;\n]+);" _ "${desktop}")
set(type ${CMAKE_MATCH_1})
if(NOT desktop MATCHES "\nExec=tarvolin %f\n" OR NOT type OR NOT mime MATCHES "type=\"${type}\"" OR
   NOT mime MATCHES "<glob pattern=\"\\*\\.dbgsession\"/>")
  message(FATAL_ERROR "the desktop entry and the MIME type do not open *.dbgsession files with tarvolin")
endif()
# The desktop's own checkers, where installed (./dev installs them, so CI always has them).
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${root}/share/applications/tarvolin.desktop
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR out MATCHES "error|warning" OR err MATCHES "error|warning")
    message(FATAL_ERROR "desktop-file-validate: ${out}${err}")
  endif()
elseif("$ENV{CI}" STREQUAL "true")
  message(FATAL_ERROR "desktop-file-validate is missing (package desktop-file-utils)")
endif()
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
  execute_process(COMMAND ${UPDATE_MIME} ${WORK_DIR}/root/share/mime RESULT_VARIABLE rc ERROR_VARIABLE err)
  file(READ ${root}/share/mime/globs2 globs)
  if(NOT rc EQUAL 0 OR NOT globs MATCHES ":${type}:\\*\\.dbgsession")
    message(FATAL_ERROR "update-mime-database does not take the MIME type: ${err}")
  endif()
endif()

# The manual pages are compressed pages with the programs' usage.
foreach(p tarvolin tarvolin-cli)
  execute_process(COMMAND gzip -dc ${root}/share/man/man1/${p}.1.gz RESULT_VARIABLE rc OUTPUT_VARIABLE page)
  string(TOUPPER ${p} upper)
  if(NOT rc EQUAL 0 OR NOT page MATCHES "^\\.TH ${upper} 1 .*\n\\.SH SYNOPSIS\n\\.nf\n[^\n]*tarvolin")
    message(FATAL_ERROR "the manual page of ${p} is not readable or has no synopsis")
  endif()
endforeach()

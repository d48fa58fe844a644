# Runs one end-to-end case: copies CASE_DIR/stations.txt into a fresh
# WORK_DIR/run, runs BINARY there as "station-dedup stations.txt kept.txt
# removed.txt" and compares with the case's expectations:
#   status       the exit status
#   stdout       the standard output, byte for byte
#   kept.txt     the kept-stations file, byte for byte; absent: no such file
#   removed.txt  the removed-stations report, likewise
#   audit.csv    when present, the run is "station-dedup --audit audit.csv
#                stations.txt kept.txt removed.txt" and the audit file must
#                hold these bytes
# A failing run must also leave a diagnostic on standard error, a successful
# one must leave none.

set(run_dir ${WORK_DIR}/run)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${run_dir})
file(COPY ${CASE_DIR}/stations.txt DESTINATION ${run_dir})

set(options "")
if(EXISTS ${CASE_DIR}/audit.csv)
  set(options --audit audit.csv)
endif()
execute_process(COMMAND ${BINARY} ${options} stations.txt kept.txt removed.txt
  WORKING_DIRECTORY ${run_dir}
  RESULT_VARIABLE status
  OUTPUT_FILE ${WORK_DIR}/stdout
  ERROR_FILE ${WORK_DIR}/stderr)

set(failures "")

file(STRINGS ${CASE_DIR}/status expected_status LIMIT_COUNT 1)
if(NOT status STREQUAL expected_status)
  string(APPEND failures "exit status ${status}, expected ${expected_status}\n")
endif()

file(READ ${WORK_DIR}/stderr diagnostic)
if(expected_status STREQUAL "0" AND NOT diagnostic STREQUAL "")
  string(APPEND failures "unexpected standard error: ${diagnostic}\n")
elseif(NOT expected_status STREQUAL "0" AND diagnostic STREQUAL "")
  string(APPEND failures "no diagnostic on standard error\n")
endif()

# Compares an actual file with an expected one as hexadecimal bytes; an
# absent expected file means the actual one must not exist.
function(compare what actual expected)
  if(NOT EXISTS ${expected})
    if(EXISTS ${actual})
      set(failures "${failures}${what} exists but should not\n" PARENT_SCOPE)
    endif()
    return()
  endif()
  if(NOT EXISTS ${actual})
    set(failures "${failures}${what} was not written\n" PARENT_SCOPE)
    return()
  endif()
  file(READ ${actual} actual_bytes HEX)
  file(READ ${expected} expected_bytes HEX)
  if(NOT actual_bytes STREQUAL expected_bytes)
    file(READ ${actual} actual_text)
    set(failures "${failures}${what} differs; it holds:\n${actual_text}\n" PARENT_SCOPE)
  endif()
endfunction()

compare("standard output" ${WORK_DIR}/stdout ${CASE_DIR}/stdout)
compare("kept.txt" ${run_dir}/kept.txt ${CASE_DIR}/kept.txt)
compare("removed.txt" ${run_dir}/removed.txt ${CASE_DIR}/removed.txt)
compare("audit.csv" ${run_dir}/audit.csv ${CASE_DIR}/audit.csv)

if(NOT failures STREQUAL "")
  message(NOTICE "${failures}")
  message(FATAL_ERROR "case ${CASE_DIR} failed")
endif()

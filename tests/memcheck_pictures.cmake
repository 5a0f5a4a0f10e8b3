# Writes one memcheck test per picture of the game's own table, as the unit
# tests list them (EveryPicture/BadPicture is instantiated from that table),
# into a file that CTest includes. Run after every build of unit_tests:
#   cmake -DTEST_EXE=... -DVALGRIND=... -DOUT=... -P memcheck_pictures.cmake
execute_process(COMMAND ${TEST_EXE} --gtest_list_tests --gtest_filter=EveryPicture/BadPicture.*
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TEST_EXE} could not list its tests")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(tests "")
foreach(line ${lines})
  if(line MATCHES "^  [A-Za-z]+/([A-Za-z0-9_]+)")
    set(picture ${CMAKE_MATCH_1})
    string(REGEX REPLACE "_bmp$" "" name ${picture})
    string(APPEND tests
      "add_test(memcheck_bad_${name} ${VALGRIND} -q --error-exitcode=9 ${TEST_EXE} --gtest_filter=EveryPicture/BadPicture.*/${picture})\n"
      "set_tests_properties(memcheck_bad_${name} PROPERTIES TIMEOUT 900 LABELS memcheck)\n")
  endif()
endforeach()
if(tests STREQUAL "")
  message(FATAL_ERROR "${TEST_EXE} lists no pictures")
endif()
file(WRITE ${OUT} "${tests}")

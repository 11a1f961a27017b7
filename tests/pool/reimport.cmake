# Imports RELEASE with TOOL into WORK and compares every file with BUNDLED. The
# import runs in the C locale, where its success line is plain ASCII.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${TOOL} import ${RELEASE} ${WORK}
    RESULT_VARIABLE status OUTPUT_VARIABLE said)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "korvell-pool import failed: ${status}")
endif()
if(NOT said MATCHES "^korvell-pool: [0-9]+ questions in 35 groups and [0-9]+ figures written to .*; the pool is in force [0-9/]+ - [0-9/]+\n$"
        OR said MATCHES "[^\n -~]")
    message(FATAL_ERROR "not one line of plain ASCII in the C locale: ${said}")
endif()
foreach(name Tech_Pool.txt SecCntTbl.txt Tech_Syllabus.txt T1.jpg T2.jpg T3.jpg)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${BUNDLED}/${name}
        RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${name} differs from the bundled file")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})

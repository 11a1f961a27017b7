# Imports RELEASE with TOOL into WORK and compares every file with BUNDLED.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${TOOL} import ${RELEASE} ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "korvell-pool import failed: ${status}")
endif()
foreach(name Tech_Pool.txt SecCntTbl.txt Tech_Syllabus.txt T1.jpg T2.jpg T3.jpg)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${BUNDLED}/${name}
        RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${name} differs from the bundled file")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})

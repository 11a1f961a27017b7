# Joins the files INPUTS (a ;-separated list) into OUTPUT, in their order.
file(WRITE ${OUTPUT}.tmp "")
foreach(f IN LISTS INPUTS)
    file(READ ${f} text)
    file(APPEND ${OUTPUT}.tmp "${text}")
endforeach()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})

# Turns the instruction table into a C++ raw string literal, so the tools
# carry the one table that also drives the tests (cmake -P, INPUT and OUTPUT).
file(READ ${INPUT} table)
file(WRITE ${OUTPUT} "R\"tsv(${table})tsv\"\n")

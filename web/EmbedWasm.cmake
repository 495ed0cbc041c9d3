# Writes the viewer script: the template with the module in base64 in place
# of @PLANDRA_WASM_BASE64@, below a line with the program's version. Written
# beside and renamed, so a failed run leaves no half script.
execute_process(COMMAND base64 -w0 ${WASM} OUTPUT_VARIABLE encoded RESULT_VARIABLE failed)
if(failed OR encoded STREQUAL "")
  message(FATAL_ERROR "cannot encode ${WASM}")
endif()
file(READ ${TEMPLATE} script)
string(REPLACE "@PLANDRA_WASM_BASE64@" "${encoded}" script "${script}")
# The program compares this line when it publishes a folder of figures.
set(script "// Plandra Win viewer version ${VERSION}\n${script}")
file(WRITE ${OUTPUT}.tmp "${script}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})

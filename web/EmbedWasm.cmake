# Writes a page's script: the template with the module in base64 in place of
# @PLANDRA_WASM_BASE64@ and each "// @include FILE" line replaced by the file
# of that name beside the template, below a line with the program's version.
# Written beside and renamed, so a failed run leaves no half script.
# With COMPRESSED, the module is gzip-compressed first (the page unpacks it
# with the browser's own decompression).
set(module ${WASM})
if(COMPRESSED)
  set(module ${OUTPUT}.wasm.gz)
  execute_process(COMMAND gzip -9 -n -c ${WASM} OUTPUT_FILE ${module} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${WASM}")
  endif()
endif()
execute_process(COMMAND base64 -w0 ${module} OUTPUT_VARIABLE encoded RESULT_VARIABLE failed)
if(failed OR encoded STREQUAL "")
  message(FATAL_ERROR "cannot encode ${WASM}")
endif()
file(READ ${TEMPLATE} script)
get_filename_component(template_folder ${TEMPLATE} DIRECTORY)
string(REGEX MATCHALL "// @include [^\n]+" includes "${script}")
foreach(include ${includes})
  string(REPLACE "// @include " "" name "${include}")
  set(included ${template_folder}/${name})
  if(NOT EXISTS ${included})
    message(FATAL_ERROR "${TEMPLATE} includes ${name}, which is not there")
  endif()
  file(READ ${included} text)
  string(REPLACE "${include}\n" "${text}" script "${script}")
endforeach()
string(REPLACE "@PLANDRA_WASM_BASE64@" "${encoded}" script "${script}")
# The program compares this line when it publishes a folder of figures.
set(script "// ${TITLE} version ${VERSION}\n${script}")
file(WRITE ${OUTPUT}.tmp "${script}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
if(COMPRESSED)
  file(REMOVE ${module})
endif()

# The sources of the model library, shared by the program's build and the
# web viewer's. The model is the store, the engine, the figure reader, the
# number labels and the renderer; the files on disk, the settings file and
# the code page (iconv) stay on the desktop.
set(PLANDRA_MODEL_PATTERN "/src/(figure|engine|persist|view)/|/src/numbers/Labels05\\.cpp$")
# The published page's writer and its static picture are desktop work too.
set(PLANDRA_DESKTOP_FILES_PATTERN
    "/src/persist/(Cp932|FileRead|Gzip|FileWriter|PDio05|PDio05_write|PDio05_text|PDio05_settings|ProgramFolder|WebPages)\\.cpp$|/src/view/SvgSurface\\.cpp$")

# Sets out_model and out_files from the list of sources given.
function(plandra_split_model sources out_model out_files)
  set(model ${sources})
  list(FILTER model INCLUDE REGEX "${PLANDRA_MODEL_PATTERN}")
  list(FILTER model EXCLUDE REGEX "/Qt[A-Za-z]*[^/]*$")
  set(files ${model})
  list(FILTER model EXCLUDE REGEX "${PLANDRA_DESKTOP_FILES_PATTERN}")
  list(FILTER files INCLUDE REGEX "${PLANDRA_DESKTOP_FILES_PATTERN}")
  set(${out_model} ${model} PARENT_SCOPE)
  set(${out_files} ${files} PARENT_SCOPE)
endfunction()

# Makes folder a folder of links that shows only the model's own headers.
function(plandra_model_include_folder folder source)
  file(MAKE_DIRECTORY ${folder}/numbers)
  foreach(layer figure engine persist view)
    file(CREATE_LINK ${source}/src/${layer} ${folder}/${layer} SYMBOLIC)
  endforeach()
  file(CREATE_LINK ${source}/src/numbers/Labels05.h ${folder}/numbers/Labels05.h SYMBOLIC)
endfunction()

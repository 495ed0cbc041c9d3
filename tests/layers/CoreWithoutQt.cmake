# Fails when a file of the model, the files, the core or the app is compiled
# with Qt or the whole source tree on its include path: the browser program
# compiles those folders where there is no Qt, and only a build that cannot
# see Qt keeps them free of it. Run with -DCOMMANDS=compile_commands.json.
file(READ ${COMMANDS} commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(checked 0)
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  if(NOT file MATCHES "/src/(figure|engine|persist|labels|view|curves|files|core|app)/")
    continue()
  endif()
  string(JSON command GET "${commands}" ${i} command)
  if(command MATCHES "[Qq][Tt]6|-I[^ ]*/src( |$)")
    message(FATAL_ERROR "${file} is compiled with Qt or all of src/ in sight: ${command}")
  endif()
  math(EXPR checked "${checked} + 1")
endforeach()
if(checked LESS 50)
  message(FATAL_ERROR "only ${checked} files of the core found in ${COMMANDS}")
endif()
message(STATUS "${checked} files of the core compiled without Qt in sight")

# The program below its Qt front end (the model, the files on disk, the core
# and the app) compiled for WebAssembly with cmake/Wasm32Wasi.cmake: the
# browser program builds on it.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Sources.cmake)

# Adds the object library `name` of those folders of source/src, with the
# part of std::filesystem the WASI C++ library lacks (include/filesystem,
# found before the library's own header), and version as PLANDRA_VERSION.
# A program linking it needs the WASI emulations named on the library.
function(plandra_wasi_core name source version)
  set(folders ${PLANDRA_MODEL_FOLDERS} ${PLANDRA_FILES_FOLDERS} ${PLANDRA_CORE_FOLDERS})
  plandra_folder_sources(sources ${source} ${folders})
  set(include_folder ${CMAKE_CURRENT_BINARY_DIR}/${name}_include)
  plandra_include_folder(${include_folder} ${source} ${folders})
  add_library(${name} OBJECT ${sources} ${source}/web/wasi/Filesystem.cpp)
  target_compile_features(${name} PUBLIC cxx_std_20)
  set_target_properties(${name} PROPERTIES CXX_EXTENSIONS OFF)
  target_include_directories(${name} BEFORE PUBLIC ${source}/web/wasi/include ${include_folder})
  target_compile_options(${name} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  # The tables' memory mapping and the writer's process number in the
  # temporary names are emulated by WASI's own small libraries.
  target_compile_definitions(${name} PUBLIC PLANDRA_VERSION="${version}" _WASI_EMULATED_MMAN
                                            _WASI_EMULATED_GETPID)
  target_link_libraries(${name} INTERFACE wasi-emulated-mman wasi-emulated-getpid)
endfunction()

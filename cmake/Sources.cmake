# Which folders of src/ make which library, shared by the program's build and
# the web viewer's. Each library is built from whole folders, so a folder's
# name says where its files go.
#
# The model: the store, the engine, the figure reader, the number labels, the
# renderer and the sampled curves. It needs nothing of the desktop: the web
# viewer compiles exactly these folders for WebAssembly.
set(PLANDRA_MODEL_FOLDERS figure engine persist labels view curves)
# The desktop's files: figure files on disk, the settings file, the program
# folder, the code page, the published page's writer and its picture.
set(PLANDRA_FILES_FOLDERS files)
# The program without a window: its state, its state machines and commands.
set(PLANDRA_CORE_FOLDERS core app)
# The Qt front end.
set(PLANDRA_UI_FOLDERS qt)

# Sets out to every source file of the folders under source/src.
function(plandra_folder_sources out source)
  set(found)
  foreach(folder ${ARGN})
    file(GLOB_RECURSE in_folder CONFIGURE_DEPENDS ${source}/src/${folder}/*.cpp)
    list(APPEND found ${in_folder})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Makes include_folder a folder of links that shows only the given folders of
# source/src: a library compiled against it cannot include a header from
# above, whatever else is installed on the machine.
function(plandra_include_folder include_folder source)
  file(MAKE_DIRECTORY ${include_folder})
  foreach(folder ${ARGN})
    file(CREATE_LINK ${source}/src/${folder} ${include_folder}/${folder} SYMBOLIC)
  endforeach()
endfunction()

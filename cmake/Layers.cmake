# One static library per folder of the Qt-free core, each with the folders it
# may use declared next to it. The compiler enforces the declaration: no
# library sees the top of the source tree. Each library's include path holds
# one folder of links, <build>/layers/<name>/<name> -> <source>/<name>, and a
# library passes it on only to the libraries that link it. An #include of a
# folder that was not declared is therefore "No such file or directory".
#
#   quillory_layer(<name> SOURCES <file>... [USES <layer>...] [LIBS <target>...])
#
# creates quillory_<name> from the sources of folder <name> (the current
# source directory), linking the declared layers publicly. A folder of headers
# only gives no SOURCES and becomes an interface library. A new core folder
# (range/, say) adds one CMakeLists.txt with one quillory_layer call and one
# line to the list of layers in the top-level CMakeLists.txt; the window layer
# names it in its own USES.

function(quillory_layer_include_dir name out)
  set(dir ${PROJECT_BINARY_DIR}/layers/${name})
  if(NOT EXISTS ${dir}/${name})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${name} ${dir}/${name} SYMBOLIC)
  endif()
  set(${out} ${dir} PARENT_SCOPE)
endfunction()

function(quillory_layer name)
  cmake_parse_arguments(L "" "" "SOURCES;USES;LIBS" ${ARGN})
  set(target quillory_${name})
  quillory_layer_include_dir(${name} include_dir)
  if(L_SOURCES)
    add_library(${target} STATIC ${L_SOURCES})
    target_include_directories(${target} PUBLIC ${include_dir})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${include_dir})
    set(scope INTERFACE)
  endif()
  foreach(used IN LISTS L_USES)
    target_link_libraries(${target} ${scope} quillory_${used})
  endforeach()
  if(L_LIBS)
    target_link_libraries(${target} ${scope} ${L_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY QUILLORY_LAYERS ${name})
endfunction()

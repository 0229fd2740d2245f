cmake_minimum_required(VERSION 3.25)
# cmake -P script: install the build into QX_WORK_DIR/stage, then configure, build and run the host in
# QX_HOST_SOURCE_DIR against that installation only, and build the example IDE (QX_EXAMPLE_SOURCE_DIR) there
# too.
foreach(var QX_BUILD_DIR QX_WORK_DIR QX_HOST_SOURCE_DIR QX_GENERATOR QX_CXX_COMPILER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(run step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message("${output}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${step} failed (${result})")
  endif()
endfunction()

set(stage "${QX_WORK_DIR}/stage")
set(host_build "${QX_WORK_DIR}/host")
file(REMOVE_RECURSE "${stage}" "${host_build}")

run("install" "${CMAKE_COMMAND}" --install "${QX_BUILD_DIR}" --prefix "${stage}")

# Only public headers are installed, all of them in include/qxTagEditor2/.
file(GLOB_RECURSE installed_headers RELATIVE "${stage}/include" "${stage}/include/*")
foreach(header IN LISTS installed_headers)
  if(NOT header MATCHES "^qxTagEditor2/[A-Za-z0-9_]+\\.h$")
    message(FATAL_ERROR "installed outside the public header folder: include/${header}")
  endif()
endforeach()

# The licence, the documentation and the sample reference data are installed too.
foreach(file share/doc/qxTagEditor2/LICENSE share/doc/qxTagEditor2/api.md
             share/qxTagEditor2/reference/sample-reference.json)
  if(NOT EXISTS "${stage}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# A host without CMake gets its flags from pkg-config, wherever the prefix was moved: the header checks
# compile with them.
file(GLOB_RECURSE pc_file "${stage}/*/pkgconfig/qxTagEditor2.pc")
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
execute_process(COMMAND pkg-config --cflags qxTagEditor2 OUTPUT_VARIABLE cflags RESULT_VARIABLE result
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND pkg-config --libs qxTagEditor2 OUTPUT_VARIABLE libs OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(cflags UNIX_COMMAND "${cflags}")
list(GET cflags 0 first)
string(REGEX REPLACE "^-I" "" first "${first}")
file(REAL_PATH "${first}" first)
file(REAL_PATH "${stage}/include" staged_include)
if(NOT result EQUAL 0 OR NOT libs MATCHES "-lqxTagEditor2" OR NOT first STREQUAL staged_include)
  message(FATAL_ERROR "pkg-config: cflags \"${cflags}\", libs \"${libs}\"")
endif()
run("compile with pkg-config's flags" "${QX_CXX_COMPILER}" -std=c++20 -fPIC ${cflags}
    -c "${QX_HOST_SOURCE_DIR}/surface.cpp" -o "${QX_WORK_DIR}/surface.o")

# The host sees the staging prefix and Qt, nothing of the build tree.
set(configure_args
  -G "${QX_GENERATOR}"
  "-DCMAKE_CXX_COMPILER=${QX_CXX_COMPILER}"
  "-DCMAKE_BUILD_TYPE=${QX_BUILD_TYPE}"
  "-DCMAKE_PREFIX_PATH=${stage}"
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
if(Qt6_DIR)
  list(APPEND configure_args "-DQt6_DIR=${Qt6_DIR}")
endif()
if(QX_HOST_FLAGS)
  list(APPEND configure_args "-DCMAKE_CXX_FLAGS=${QX_HOST_FLAGS}"
       "-DCMAKE_EXE_LINKER_FLAGS=${QX_HOST_FLAGS}")
endif()
run("configure the host" "${CMAKE_COMMAND}" -S "${QX_HOST_SOURCE_DIR}" -B "${host_build}" ${configure_args})
run("build the host" "${CMAKE_COMMAND}" --build "${host_build}")
if(QX_EXAMPLE_SOURCE_DIR)
  set(example_build "${QX_WORK_DIR}/example")
  file(REMOVE_RECURSE "${example_build}")
  run("configure the example" "${CMAKE_COMMAND}" -S "${QX_EXAMPLE_SOURCE_DIR}" -B "${example_build}"
      ${configure_args})
  run("build the example" "${CMAKE_COMMAND}" --build "${example_build}")
endif()

# The control reads settings and folders on creation: keep them inside the work folder.
set(ENV{QXTE_USER_SETTINGS} "${QX_WORK_DIR}/settings/user.ini")
set(ENV{QXTE_MACHINE_SETTINGS} "${QX_WORK_DIR}/settings/machine.ini")
set(ENV{QXTE_USER_DATA_DIR} "${QX_WORK_DIR}/settings")
set(ENV{QXTE_COMMON_DIR} "${QX_WORK_DIR}/settings")
run("run the host" "${host_build}/host")

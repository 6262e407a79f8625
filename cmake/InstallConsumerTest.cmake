# Run by the install_consumer test (cmake -P): installs the build into WORK_DIR/prefix,
# builds examples/consumer against it once through find_package and once through
# pkg-config, runs both and the installed vgi, and checks what they print.
cmake_minimum_required(VERSION 3.22)

set(prefix ${WORK_DIR}/prefix)
set(expected "Caption=Installed BackColor=&HFF8000 Pixel=&HFF8000")

function(run)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "OUTPUT;INPUT" "COMMAND")
  if(arg_INPUT)
    file(WRITE ${WORK_DIR}/input.txt "${arg_INPUT}")
    set(input INPUT_FILE ${WORK_DIR}/input.txt)
  endif()
  execute_process(COMMAND ${arg_COMMAND} ${input} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    list(JOIN arg_COMMAND " " shown)
    message(FATAL_ERROR "failed (${status}): ${shown}\n${out}${err}")
  endif()
  if(arg_OUTPUT)
    set(${arg_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

function(expect what actual wanted)
  string(STRIP "${actual}" actual)
  if(NOT actual STREQUAL wanted)
    message(FATAL_ERROR "${what} printed\n  ${actual}\ninstead of\n  ${wanted}")
  endif()
  message(STATUS "${what}: ${actual}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} OUTPUT ignored)

string(REGEX MATCH "^[0-9]+" major "${VERSION}")
set(files lib/libvarigauge.so.${VERSION} lib/libvarigauge.so.${major} lib/libvarigauge.so
          include/varigauge/control/varigauge.h include/varigauge/platform/host/headless_host.h
          include/varigauge/surface/off_screen_dc.h bin/vgi
          lib/cmake/Varigauge/VarigaugeConfig.cmake lib/pkgconfig/varigauge.pc)
if(WIDGETS)
  list(APPEND files lib/libvarigauge_widgets.so.${major} lib/pkgconfig/varigauge-widgets.pc)
endif()
foreach(file IN LISTS files)
  string(REPLACE "lib/" "${LIBDIR}/" file "${file}")
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# Every installed header finds what it includes among the installed headers or the system's,
# and none needs the library's private image and font libraries.
file(GLOB_RECURSE headers RELATIVE ${prefix}/include/varigauge ${prefix}/include/varigauge/*.h)
foreach(header IN LISTS headers)
  file(STRINGS ${prefix}/include/varigauge/${header} includes REGEX "^#include ")
  foreach(line IN LISTS includes)
    if(line MATCHES "^#include \"([^\"]+)\"")
      set(included ${CMAKE_MATCH_1})
      cmake_path(GET header PARENT_PATH folder)
      if(NOT EXISTS ${prefix}/include/varigauge/${included}
         AND NOT EXISTS ${prefix}/include/varigauge/${folder}/${included})
        message(FATAL_ERROR "${header} includes ${included}, which is not installed")
      endif()
    endif()
    if(line MATCHES "<(png|ft2build|freetype/|fontconfig/)")
      message(FATAL_ERROR "${header} needs a private dependency: ${line}")
    endif()
  endforeach()
endforeach()

# find_package(Varigauge) from a separate CMake project; with the widget library, its
# component must be found as well (which finds Qt).
run(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/cmake-build -G ${GENERATOR}
            -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix}
            -DCONSUMER_WIDGETS=${WIDGETS}
    OUTPUT ignored)
run(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-build OUTPUT ignored)
run(COMMAND ${WORK_DIR}/cmake-build/consumer OUTPUT out)
expect("consumer built with find_package" "${out}" "${expected}")

# pkg-config, as a Makefile would use it.
set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)
run(COMMAND pkg-config --cflags --libs varigauge OUTPUT flags)
if(WIDGETS)
  run(COMMAND pkg-config --exists --print-errors varigauge-widgets)
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(COMMAND ${CXX} -std=c++20 ${CONSUMER_DIR}/main.cpp ${flags} -Wl,-rpath,${prefix}/${LIBDIR}
            -o ${WORK_DIR}/consumer-pc)
run(COMMAND ${WORK_DIR}/consumer-pc OUTPUT out)
expect("consumer built with pkg-config" "${out}" "${expected}")

# The installed vgi finds the installed library by itself.
run(COMMAND ${prefix}/bin/vgi - INPUT "? RGB(1, 2, 3)\n" OUTPUT out)
expect("installed vgi" "${out}" "197121")

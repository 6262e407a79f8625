# Run by the install_consumer test (cmake -P): installs the build into WORK_DIR/prefix,
# builds examples/consumer against it once through find_package and once through
# pkg-config, runs both and the installed vgi, and checks what they print. With the Qt
# parts it also builds and runs the consumer's form program, runs the installed vgform and
# checks that the Qt Designer plugin finds its libraries in the prefix.
cmake_minimum_required(VERSION 3.22)

set(prefix ${WORK_DIR}/prefix)
set(expected "Caption=Installed BackColor=&HFF8000 Pixel=&HFF8000")
set(expected_form "Gauge Blocks=1 Text=Installed form BarRight=70")
# No display: the Qt programs draw on the offscreen platform.
set(ENV{QT_QPA_PLATFORM} offscreen)

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
if(DESIGNER_OUTSIDE)
  foreach(component Runtime Development)
    run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component ${component}
        OUTPUT ignored)
  endforeach()
else()
  run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} OUTPUT ignored)
endif()

string(REGEX MATCH "^[0-9]+" major "${VERSION}")
set(files lib/libvarigauge.so.${VERSION} lib/libvarigauge.so.${major} lib/libvarigauge.so
          include/varigauge/control/varigauge.h include/varigauge/platform/host/headless_host.h
          include/varigauge/surface/off_screen_dc.h bin/vgi
          lib/cmake/Varigauge/VarigaugeConfig.cmake lib/pkgconfig/varigauge.pc)
if(WIDGETS)
  list(APPEND files lib/libvarigauge_widgets.so.${major} lib/pkgconfig/varigauge-widgets.pc
       lib/libvarigauge_form_runtime.so.${major} lib/pkgconfig/varigauge-form-runtime.pc
       include/varigauge/qt/varigauge_widget.h include/varigauge/qt/form_runtime.h bin/vgform)
endif()
if(PAGES)
  list(APPEND files lib/libvarigauge_pages.so.${major} lib/pkgconfig/varigauge-pages.pc
       include/varigauge/pages/block_page.h)
endif()
list(TRANSFORM files REPLACE "^lib/" "${LIBDIR}/")
if(DESIGNER_FILE)
  list(APPEND files ${DESIGNER_FILE})
endif()
foreach(file IN LISTS files)
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
if(WIDGETS)
  run(COMMAND ${WORK_DIR}/cmake-build/consumer_form --screenshot ${WORK_DIR}/form.png OUTPUT out)
  string(REGEX REPLACE "\nWrote [^\n]*" "" out "${out}")
  expect("form consumer built with find_package" "${out}" "${expected_form}")
  if(NOT EXISTS ${WORK_DIR}/form.png)
    message(FATAL_ERROR "the form consumer wrote no picture")
  endif()
endif()

# pkg-config, as a Makefile would use it.
set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)
run(COMMAND pkg-config --cflags --libs varigauge OUTPUT flags)
if(WIDGETS)
  run(COMMAND pkg-config --exists --print-errors varigauge-widgets varigauge-form-runtime)
endif()
if(PAGES)
  run(COMMAND pkg-config --exists --print-errors varigauge-pages)
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(COMMAND ${CXX} -std=c++20 ${CONSUMER_DIR}/main.cpp ${flags} -Wl,-rpath,${prefix}/${LIBDIR}
            -o ${WORK_DIR}/consumer-pc)
run(COMMAND ${WORK_DIR}/consumer-pc OUTPUT out)
expect("consumer built with pkg-config" "${out}" "${expected}")

# The installed vgi finds the installed library by itself.
run(COMMAND ${prefix}/bin/vgi - INPUT "? RGB(1, 2, 3)\n" OUTPUT out)
expect("installed vgi" "${out}" "197121")

if(WIDGETS)
  # The installed vgform: its usage, and a form's picture.
  run(COMMAND ${prefix}/bin/vgform --help OUTPUT out)
  if(NOT out MATCHES "^usage: vgform")
    message(FATAL_ERROR "installed vgform --help printed\n${out}")
  endif()
  run(COMMAND ${prefix}/bin/vgform ${EXAMPLES_DIR}/progress-bar.ui
              --screenshot ${WORK_DIR}/progress-bar.png OUTPUT ignored)
  if(NOT EXISTS ${WORK_DIR}/progress-bar.png)
    message(FATAL_ERROR "the installed vgform wrote no picture")
  endif()
  message(STATUS "installed vgform: wrote progress-bar.png")
endif()

# Every library the designer plugin needs of ours comes from the prefix, found through its
# own RPATH (Designer loads it from wherever the plugin folder is).
if(DESIGNER_FILE)
  find_program(LDD ldd)
  if(LDD)
    run(COMMAND ${LDD} ${prefix}/${DESIGNER_FILE} OUTPUT out)
    string(REGEX MATCHALL "[^\n]*(libvarigauge|not found)[^\n]*" ours "${out}")
    if(NOT ours)
      message(FATAL_ERROR "the designer plugin needs none of our libraries?\n${out}")
    endif()
    foreach(line IN LISTS ours)
      if(line MATCHES "not found" OR NOT line MATCHES "=> ${prefix}/")
        message(FATAL_ERROR "designer plugin: ${line}")
      endif()
    endforeach()
    message(STATUS "designer plugin: its libraries resolve inside the prefix")
  endif()
endif()

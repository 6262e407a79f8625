# Installation and the CMake package: `cmake --install build --prefix P` puts the headless
# library, its headers and vgi under P, with a package for find_package(Varigauge) and
# pkg-config files. The Qt widget library is installed with them when it is part of the build.
# Included once the whole project has been read, so that every target is known here.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VG_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/varigauge)
set(VG_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Varigauge)
set(VG_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(TARGET varigauge_widgets)
  set(VG_INSTALL_WIDGETS ON)
else()
  set(VG_INSTALL_WIDGETS OFF)
endif()

# Include directories that point into the source or build tree hold only while building;
# an installed target finds its headers under VG_INSTALL_INCLUDEDIR instead.
function(vg_build_tree_includes target)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(NOT dirs)
    return()
  endif()
  set(result)
  foreach(dir IN LISTS dirs)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${dir}" in_source)
    cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${dir}" in_binary)
    if(NOT dir MATCHES "^\\$<" AND (in_source OR in_binary))
      list(APPEND result "$<BUILD_INTERFACE:${dir}>")
    else()
      list(APPEND result "${dir}")
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${result}")
endfunction()

# Installs the headers of every top-level folder that holds the target's sources, keeping
# their paths relative to the source root, so that `#include "control/varigauge.h"` works.
function(vg_install_headers_of target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(folders)
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}")
    cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${source}" generated)
    if(generated)
      continue()
    endif()
    cmake_path(RELATIVE_PATH source BASE_DIRECTORY "${PROJECT_SOURCE_DIR}")
    if(source MATCHES "^([^/.][^/]*)/")
      list(APPEND folders "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/ DESTINATION ${VG_INSTALL_INCLUDEDIR}/${folder}
            COMPONENT Development FILES_MATCHING PATTERN "*.h")
  endforeach()
endfunction()

# The headless library: libvarigauge.so.MAJOR.MINOR with the SONAME libvarigauge.so.MAJOR.
# Its image and font libraries stay private: no public header includes theirs.
set_target_properties(varigauge PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  EXPORT_NAME core)
target_compile_features(varigauge INTERFACE cxx_std_20)
vg_build_tree_includes(varigauge)
add_library(Varigauge::core ALIAS varigauge)
set(vg_export_targets varigauge)
vg_install_headers_of(varigauge)

if(VG_INSTALL_WIDGETS)
  set_target_properties(varigauge_widgets PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME widgets
    INSTALL_RPATH "$ORIGIN")
  vg_build_tree_includes(varigauge_widgets)
  add_library(Varigauge::widgets ALIAS varigauge_widgets)
  list(APPEND vg_export_targets varigauge_widgets)
  vg_install_headers_of(varigauge_widgets)
endif()

install(TARGETS ${vg_export_targets} EXPORT VarigaugeTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
    NAMELINK_COMPONENT Development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
  INCLUDES DESTINATION ${VG_INSTALL_INCLUDEDIR})

# vgi finds the library next to it: BINDIR/../LIBDIR.
cmake_path(RELATIVE_PATH CMAKE_INSTALL_LIBDIR BASE_DIRECTORY ${CMAKE_INSTALL_BINDIR}
           OUTPUT_VARIABLE vg_lib_from_bin)
set_target_properties(vgi PROPERTIES INSTALL_RPATH "$ORIGIN/${vg_lib_from_bin}")
install(TARGETS vgi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

install(EXPORT VarigaugeTargets NAMESPACE Varigauge:: DESTINATION ${VG_INSTALL_CMAKEDIR}
        COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VarigaugeConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VarigaugeConfig.cmake
  INSTALL_DESTINATION ${VG_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VarigaugeConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VarigaugeConfig.cmake
              ${PROJECT_BINARY_DIR}/VarigaugeConfigVersion.cmake
        DESTINATION ${VG_INSTALL_CMAKEDIR} COMPONENT Development)

# pkg-config files locate the prefix from their own folder, so they stay right when the
# prefix is chosen at install time (cmake --install --prefix) or the tree is moved.
if(IS_ABSOLUTE "${VG_INSTALL_PKGCONFIGDIR}")
  set(VG_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  cmake_path(RELATIVE_PATH CMAKE_INSTALL_PREFIX
             BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}/${VG_INSTALL_PKGCONFIGDIR}"
             OUTPUT_VARIABLE vg_prefix_from_pc)
  string(REGEX REPLACE "/$" "" vg_prefix_from_pc "${vg_prefix_from_pc}")
  set(VG_PC_PREFIX "\${pcfiledir}/${vg_prefix_from_pc}")
endif()
set(vg_pc_files varigauge)
if(VG_INSTALL_WIDGETS)
  list(APPEND vg_pc_files varigauge-widgets)
endif()
foreach(pc IN LISTS vg_pc_files)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${pc}.pc.in ${PROJECT_BINARY_DIR}/pc/${pc}.pc.in @ONLY)
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/pc/${pc}.pc INPUT ${PROJECT_BINARY_DIR}/pc/${pc}.pc.in)
  install(FILES ${PROJECT_BINARY_DIR}/pc/${pc}.pc DESTINATION ${VG_INSTALL_PKGCONFIGDIR}
          COMPONENT Development)
endforeach()

# The package proven from outside: install into a scratch prefix, build examples/consumer
# against it with find_package and with pkg-config, and run both and the installed vgi.
# Not under the sanitizers: a program linked without them cannot load their runtime late.
if(NOT VG_SANITIZE AND NOT VG_FUZZ)
  add_test(NAME install_consumer
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${PROJECT_BINARY_DIR}
      -DCONSUMER_DIR=${PROJECT_SOURCE_DIR}/examples/consumer
      -DWORK_DIR=${PROJECT_BINARY_DIR}/install-consumer
      -DGENERATOR=${CMAKE_GENERATOR}
      -DCXX=${CMAKE_CXX_COMPILER}
      -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
      -DVERSION=${PROJECT_VERSION}
      -DWIDGETS=${VG_INSTALL_WIDGETS}
      -P ${CMAKE_CURRENT_LIST_DIR}/InstallConsumerTest.cmake)
  set_tests_properties(install_consumer PROPERTIES TIMEOUT 300)
endif()

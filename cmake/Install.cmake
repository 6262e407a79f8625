# Installation and the CMake package: `cmake --install build --prefix P` puts the headless
# library, its headers and vgi under P, with a package for find_package(Varigauge) and
# pkg-config files. When they are part of the build, the Qt parts come with them: the widget
# library, the form runtime, the property pages, vgform and the Qt Designer plugin.
# Included once the whole project has been read, so that every target is known here.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VG_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/varigauge)
set(VG_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Varigauge)
set(VG_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# Qt Designer looks for plugins in the designer/ folder of Qt's plugin path (and of every
# folder in QT_PLUGIN_PATH); with the prefix /usr on Debian this default is Qt's own.
set(VG_INSTALL_DESIGNERDIR "${CMAKE_INSTALL_LIBDIR}/qt6/plugins/designer" CACHE STRING
    "Where the Qt Designer plugin is installed: relative to the prefix, or absolute")

# The Qt parts that are part of this build, by component name.
set(vg_qt_components)
foreach(component widgets form_runtime pages)
  string(TOUPPER ${component} upper)
  if(TARGET varigauge_${component})
    set(VG_INSTALL_${upper} ON)
    list(APPEND vg_qt_components ${component})
  else()
    set(VG_INSTALL_${upper} OFF)
  endif()
endforeach()

# An RPATH entry that finds LIBDIR from DIR. Between two folders relative to the prefix it
# goes by the loading file's own place, so it holds under any prefix; when either is
# absolute, it is LIBDIR under the configured CMAKE_INSTALL_PREFIX.
function(vg_rpath_to_libdir dir out)
  if(IS_ABSOLUTE "${dir}" OR IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_LIBDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
               OUTPUT_VARIABLE absolute)
    set(${out} "${absolute}" PARENT_SCOPE)
    return()
  endif()
  set(libdir "/${CMAKE_INSTALL_LIBDIR}")
  cmake_path(RELATIVE_PATH libdir BASE_DIRECTORY "/${dir}" OUTPUT_VARIABLE relative)
  string(REGEX REPLACE "/$" "" relative "${relative}")
  if(relative STREQUAL "" OR relative STREQUAL ".")
    set(${out} "$ORIGIN" PARENT_SCOPE)
  else()
    set(${out} "$ORIGIN/${relative}" PARENT_SCOPE)
  endif()
endfunction()

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
  # A folder shared by several targets (qt/) is installed once.
  get_property(done GLOBAL PROPERTY VG_INSTALLED_HEADER_FOLDERS)
  list(REMOVE_ITEM folders ${done})
  set_property(GLOBAL APPEND PROPERTY VG_INSTALLED_HEADER_FOLDERS ${folders})
  foreach(folder IN LISTS folders)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/ DESTINATION ${VG_INSTALL_INCLUDEDIR}/${folder}
            COMPONENT Development FILES_MATCHING PATTERN "*.h")
  endforeach()
endfunction()

# A library of the package: libNAME.so.MAJOR.MINOR with the SONAME libNAME.so.MAJOR, the
# target Varigauge::COMPONENT, and its headers. It finds the package's other libraries
# beside it.
function(vg_package_library target component)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME ${component}
    INSTALL_RPATH "$ORIGIN")
  vg_build_tree_includes(${target})
  add_library(Varigauge::${component} ALIAS ${target})
  vg_install_headers_of(${target})
endfunction()

# The headless library. Its image and font libraries stay private: no public header
# includes theirs.
vg_package_library(varigauge core)
target_compile_features(varigauge INTERFACE cxx_std_20)
set(vg_export_targets varigauge)
# The Qt parts are shared libraries like the core. The form runtime is shared too: one copy
# serves a program and the plugins it loads, and users may link it into shared libraries of
# their own. The form-file library (varigauge_forms) stays static and private to the widget
# library and vgi, so nothing installed exposes it and it is not installed.
foreach(component IN LISTS vg_qt_components)
  vg_package_library(varigauge_${component} ${component})
  list(APPEND vg_export_targets varigauge_${component})
endforeach()
# The widget's header is written at build time from the member table.
if(TARGET varigauge_widgets)
  install(FILES ${VG_FACE_HEADER} DESTINATION ${VG_INSTALL_INCLUDEDIR}/qt COMPONENT Development)
endif()

install(TARGETS ${vg_export_targets} EXPORT VarigaugeTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
    NAMELINK_COMPONENT Development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
  INCLUDES DESTINATION ${VG_INSTALL_INCLUDEDIR})

# vgi and vgform find the libraries by their own place: BINDIR/../LIBDIR.
vg_rpath_to_libdir(${CMAKE_INSTALL_BINDIR} vg_rpath_from_bin)
foreach(tool vgi vgform)
  if(TARGET ${tool})
    set_target_properties(${tool} PROPERTIES INSTALL_RPATH "${vg_rpath_from_bin}")
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  endif()
endforeach()

# The Qt Designer plugin: a module Designer loads, not something to link against.
if(TARGET varigauge_designer)
  set(VG_INSTALL_DESIGNER ON)
  vg_rpath_to_libdir("${VG_INSTALL_DESIGNERDIR}" vg_rpath_from_designer)
  set_target_properties(varigauge_designer PROPERTIES INSTALL_RPATH "${vg_rpath_from_designer}")
  install(TARGETS varigauge_designer LIBRARY DESTINATION ${VG_INSTALL_DESIGNERDIR}
          COMPONENT Designer)
else()
  set(VG_INSTALL_DESIGNER OFF)
endif()

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
# One file per library: NAME|TARGET|REQUIRES|DESCRIPTION.
set(vg_pc_files "varigauge|varigauge||Multi-purpose bar control, headless")
set(vg_pc_requires_widgets "varigauge = ${PROJECT_VERSION}, Qt6Widgets")
set(vg_pc_requires_form_runtime "varigauge-widgets = ${PROJECT_VERSION}, Qt6UiTools")
set(vg_pc_requires_pages "varigauge-widgets = ${PROJECT_VERSION}, Qt6Widgets")
set(vg_pc_description_widgets "Multi-purpose bar control as a Qt 6 widget")
set(vg_pc_description_form_runtime "Qt Designer forms with Varigauge controls at run time")
set(vg_pc_description_pages "Property pages and the About box of the Varigauge widget")
foreach(component IN LISTS vg_qt_components)
  string(REPLACE "_" "-" pc_name "varigauge-${component}")
  list(APPEND vg_pc_files
    "${pc_name}|varigauge_${component}|${vg_pc_requires_${component}}|${vg_pc_description_${component}}")
endforeach()
foreach(entry IN LISTS vg_pc_files)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 VG_PC_NAME)
  list(GET fields 1 VG_PC_TARGET)
  list(GET fields 2 VG_PC_REQUIRES)
  list(GET fields 3 VG_PC_DESCRIPTION)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/varigauge.pc.in ${PROJECT_BINARY_DIR}/pc/${VG_PC_NAME}.pc.in
                 @ONLY)
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/pc/${VG_PC_NAME}.pc
                INPUT ${PROJECT_BINARY_DIR}/pc/${VG_PC_NAME}.pc.in)
  install(FILES ${PROJECT_BINARY_DIR}/pc/${VG_PC_NAME}.pc DESTINATION ${VG_INSTALL_PKGCONFIGDIR}
          COMPONENT Development)
endforeach()

# The package proven from outside: install into a scratch prefix, build examples/consumer
# against it with find_package and with pkg-config, and run both and the installed tools.
# Not under the sanitizers: a program linked without them cannot load their runtime late.
if(NOT VG_SANITIZE AND NOT VG_FUZZ)
  # A plugin folder outside the prefix is left out of the scratch install.
  set(vg_designer_file)
  if(VG_INSTALL_DESIGNER AND NOT IS_ABSOLUTE "${VG_INSTALL_DESIGNERDIR}")
    set(vg_designer_file "${VG_INSTALL_DESIGNERDIR}/$<TARGET_FILE_NAME:varigauge_designer>")
  endif()
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
      -DPAGES=${VG_INSTALL_PAGES}
      -DDESIGNER_FILE=${vg_designer_file}
      -DDESIGNER_OUTSIDE=$<AND:$<BOOL:${VG_INSTALL_DESIGNER}>,$<NOT:$<BOOL:${vg_designer_file}>>>
      -DEXAMPLES_DIR=${PROJECT_SOURCE_DIR}/examples
      -P ${CMAKE_CURRENT_LIST_DIR}/InstallConsumerTest.cmake)
  set_tests_properties(install_consumer PROPERTIES TIMEOUT 300)
endif()

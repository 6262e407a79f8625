# Makes the controls' stored settings in the samples' forms from the immediate-window
# scripts beside them. Each form's layout (window, labels, buttons, places) is kept in its
# .ui file; the scripts set up each control and store it into a copy of the form, which
# keeps everything else as it was.
#
#   cmake -DVGI=build/vgi -DOUT=DIR [-DUPDATE=ON] -P samples/generate_forms.cmake
#
# writes the forms into DIR/NAME/form.ui and fails when any differs from the committed
# NAME/NAME.ui; with UPDATE=ON it copies them over the committed forms instead.
cmake_minimum_required(VERSION 3.22)
set(here ${CMAKE_CURRENT_LIST_DIR})
foreach(var VGI OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "generate_forms.cmake needs -D${var}=...")
  endif()
  get_filename_component(${var} ${${var}} ABSOLUTE)
endforeach()

# The scripts of each form, in the order they run (paths below samples/).
set(multistrip_scripts common/status-bar.vgi multistrip/Varigauge1.vgi multistrip/Varigauge2.vgi)
set(unistrip_scripts common/status-bar.vgi unistrip/Varigauge1.vgi)
set(lumastrip_scripts common/status-bar.vgi lumastrip/pictures.vgi lumastrip/Varigauge1.vgi)
set(volwatch_scripts volwatch/Varigauge1.vgi volwatch/vgStatusBar.vgi)

set(differing)
foreach(sample multistrip unistrip lumastrip volwatch)
  set(dir ${OUT}/${sample})
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${here}/${sample}/${sample}.ui ${dir}/form.ui)
  foreach(script IN LISTS ${sample}_scripts)
    execute_process(COMMAND ${VGI} --strict ${here}/${script} WORKING_DIRECTORY ${dir}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${script} failed (${status}):\n${output}")
    endif()
  endforeach()
  if(UPDATE)
    file(COPY_FILE ${dir}/form.ui ${here}/${sample}/${sample}.ui ONLY_IF_DIFFERENT)
  else()
    file(SHA256 ${dir}/form.ui made)
    file(SHA256 ${here}/${sample}/${sample}.ui committed)
    if(NOT made STREQUAL committed)
      list(APPEND differing "${sample}/${sample}.ui (made: ${dir}/form.ui)")
    endif()
  endif()
endforeach()
if(differing)
  list(JOIN differing "\n  " text)
  message(FATAL_ERROR "forms differ from what their scripts make:\n  ${text}\n"
                      "run with -DUPDATE=ON to rewrite them")
endif()

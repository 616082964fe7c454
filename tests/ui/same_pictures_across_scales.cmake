# Saves the graph's pictures in a session at scale 1 and in one at scale 2
# and fails unless each comes out byte for byte the same: exported images
# must not depend on the screen they were made on.
#   cmake -DTOOL=corvellan_graph_pictures -DWORK=folder -P same_pictures_across_scales.cmake
set(scales 1 2)
set(pictures graph.png graph@2x.png clipboard.png graph.svg)

foreach(scale IN LISTS scales)
  set(folder "${WORK}/scale-${scale}")
  file(REMOVE_RECURSE "${folder}")
  file(MAKE_DIRECTORY "${folder}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=${scale}
            "${TOOL}" all-series "${folder}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the pictures tool failed at scale ${scale}: ${status}")
  endif()
endforeach()

foreach(picture IN LISTS pictures)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/scale-1/${picture}"
            "${WORK}/scale-2/${picture}"
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${picture} differs between scale 1 and scale 2")
  endif()
  message(STATUS "${picture}: the same bytes at scale 1 and 2")
endforeach()

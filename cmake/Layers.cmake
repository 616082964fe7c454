# Every target sees only the headers of what it links. Headers are included as
# "folder/name.h"; instead of the source root, each target puts a folder of its
# own on the include path that holds links to just the headers it offers.

set(CORVELLAN_INCLUDE_ROOT ${PROJECT_BINARY_DIR}/include)

# Offers the headers of `folder` (relative to the source root) to target and,
# with scope PUBLIC or INTERFACE, to whoever links it. Without FILES the whole
# folder is offered; with FILES only the named headers in it.
function(corvellan_offer_headers target scope folder)
  cmake_parse_arguments(PARSE_ARGV 3 offer "" "" "FILES")
  set(root ${CORVELLAN_INCLUDE_ROOT}/${target})
  if(offer_FILES)
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS offer_FILES)
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${header} ${root}/${folder}/${header}
           SYMBOLIC)
    endforeach()
  else()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()

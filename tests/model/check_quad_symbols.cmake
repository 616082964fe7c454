# Fails when an object of the x86-64-v3 build defines a global or weak symbol
# outside the namespaces of that build (lanes::v3, dynamics::v3): the linker
# could then pick it for a call made on a processor without those instructions.
foreach(object IN LISTS OBJECTS)
  execute_process(COMMAND ${NM} -C --defined-only ${object}
                  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${object}")
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  set(offered 0)
  foreach(line IN LISTS lines)
    # Lower-case types are local, apart from u (unique global) and w, v (weak).
    if(line MATCHES "^[0-9a-f]* [A-Zuvw] (.*)$")
      set(name "${CMAKE_MATCH_1}")
      math(EXPR offered "${offered} + 1")
      # DW.ref.__gxx_personality_v0 (emitted where exceptions can pass, as in
      # the sanitizer build) is a pointer to the C++ runtime's routine: data,
      # no instructions of this object's.
      if(NOT name MATCHES "(lanes|dynamics)::v3::" AND NOT name STREQUAL "DW.ref.__gxx_personality_v0")
        message(FATAL_ERROR "${object} offers ${name}")
      endif()
    endif()
  endforeach()
  if(offered EQUAL 0)
    message(FATAL_ERROR "${object} offers no symbol at all: is it the object meant?")
  endif()
  message(STATUS "${object}: ${offered} symbols, all its own")
endforeach()

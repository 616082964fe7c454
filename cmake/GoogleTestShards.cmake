# Registers a GoogleTest program with CTest as a few tests, each running one
# shard of its cases through GoogleTest's own sharding, instead of one process
# per case: starting a process (and, for the window's tests, a QApplication)
# costs more than most cases. A failing case still prints its name in the
# shard's output, and `--gtest_filter` runs one case by hand.
#
#   corvellan_add_gtest(target [QT] [PREFIX name] [SHARDS n] [TIMEOUT s]
#                       [ARGS arg...] [LABELS label...] [ENVIRONMENT VAR=value...])
#
# Test sources are compiled without optimisation, after the headers every test includes
# (GoogleTest, and Qt's with QT) were precompiled once per program: the test
# programs were most of the build, and most of their compile time went into
# optimising GoogleTest's expansions and parsing those headers. The libraries
# under test keep the preset's optimisation.
#
# The tests are named PREFIX.shard-I-of-N (PREFIX defaults to the target's
# name). LABELS "slow" marks a program a contributor may leave out while
# iterating (`ctest -LE slow`); the test command runs everything.
function(corvellan_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "QT" "PREFIX;SHARDS;TIMEOUT" "ARGS;LABELS;ENVIRONMENT")
  corvellan_precompile_test_headers(${target} ${arg_QT})
  if(NOT arg_PREFIX)
    set(arg_PREFIX ${target})
  endif()
  if(NOT arg_SHARDS)
    set(arg_SHARDS 1)
  endif()
  math(EXPR last "${arg_SHARDS} - 1")
  foreach(index RANGE ${last})
    math(EXPR number "${index} + 1")
    set(name ${arg_PREFIX}.shard-${number}-of-${arg_SHARDS})
    add_test(NAME ${name} COMMAND ${target} --gtest_color=no ${arg_ARGS})
    set(environment GTEST_TOTAL_SHARDS=${arg_SHARDS} GTEST_SHARD_INDEX=${index} ${arg_ENVIRONMENT})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" LABELS "gtest;${arg_LABELS}")
    if(arg_TIMEOUT)
      set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
    endif()
  endforeach()
endfunction()

# Precompiles what test sources include most.
function(corvellan_precompile_test_headers target with_qt)
  set(headers <gtest/gtest.h> <gmock/gmock.h> <string> <vector> <memory> <functional>)
  if(with_qt)
    list(APPEND headers <QtWidgets> <QTest>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# Gives every test of this build a home of its own: ctest reads
# CTestCustom.cmake from the build folder before it runs a test.
set(CORVELLAN_OWN_HOME ${PROJECT_SOURCE_DIR}/scripts/own-home)
configure_file(${PROJECT_SOURCE_DIR}/cmake/CTestCustom.cmake.in
               ${PROJECT_BINARY_DIR}/CTestCustom.cmake @ONLY)

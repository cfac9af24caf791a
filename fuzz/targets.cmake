# The fuzz targets' bodies, as one library: the libFuzzer executables of fuzz/
# and the replay test tests/fuzz/tst_fuzz_regressions link it.
if(NOT TARGET corvane_fuzz_targets)
    file(GLOB CORVANE_FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/fuzz/targets/*.cpp ${CMAKE_SOURCE_DIR}/fuzz/targets/*.h)
    add_library(corvane_fuzz_targets STATIC ${CORVANE_FUZZ_TARGET_SOURCES})
    target_include_directories(corvane_fuzz_targets PUBLIC ${CMAKE_SOURCE_DIR}/fuzz/targets)
    target_link_libraries(corvane_fuzz_targets PUBLIC corvane_core Qt6::Qml)
    target_compile_definitions(corvane_fuzz_targets PRIVATE CORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

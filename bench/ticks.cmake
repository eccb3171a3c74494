add_executable(bench_ticks ${CMAKE_CURRENT_LIST_DIR}/ticks.cpp)
target_include_directories(bench_ticks PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(bench_ticks PRIVATE datetracker fullscreen)
target_compile_definitions(bench_ticks PRIVATE VEXLO_PROGRAM_DIR="${VEXLO_PROGRAM_DIR}/")

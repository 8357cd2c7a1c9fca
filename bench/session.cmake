# The timed user session (bench/measure.sh runs it). Kept apart so that the measurement
# script can add it to an older tree and compare both on one machine.
add_executable(bench_session ${CMAKE_CURRENT_LIST_DIR}/session.cpp)
target_link_libraries(bench_session PRIVATE tw_mainwindow)
# Older trees set the flags for every target themselves.
if(TARGET turnwise_build_flags)
  target_link_libraries(bench_session PRIVATE turnwise_build_flags)
endif()
add_dependencies(bench_session turnwise_assets)

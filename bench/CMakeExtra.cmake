# assimp is a yardstick for the model-loading benchmark only; the game never links it.
find_package(assimp)
if(TARGET bench_model_load)
  if(assimp_FOUND)
    target_link_libraries(bench_model_load PRIVATE assimp::assimp)
  else()
    message(WARNING "assimp not found: bench_model_load is not built")
    set_target_properties(bench_model_load PROPERTIES EXCLUDE_FROM_ALL TRUE)
  endif()
endif()
# The start-up benchmark runs the real game and the empty window under the
# swap-timing library.
target_compile_definitions(bench_first_frame PRIVATE
  ZUMBRA_GAME="$<TARGET_FILE:zumbra>"
  ZUMBRA_EMPTY_WINDOW="$<TARGET_FILE:bench_empty_window>"
  ZUMBRA_SWAP_TIMER="$<TARGET_FILE:zumbra_swap_timer>")
add_dependencies(bench_first_frame zumbra bench_empty_window zumbra_swap_timer)

vigil_add_fuzzer(cycle_list SOURCES ${VIGIL_FUZZ_DIR}/cycle_list.cpp LIBS vigil_monitoring)

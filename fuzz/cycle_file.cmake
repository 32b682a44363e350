vigil_add_fuzzer(cycle_file SOURCES ${VIGIL_FUZZ_DIR}/cycle_file.cpp LIBS vigil_monitoring)

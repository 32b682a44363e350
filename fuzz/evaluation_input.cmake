vigil_add_fuzzer(evaluation_input SOURCES ${VIGIL_FUZZ_DIR}/evaluation_input.cpp LIBS vigil_evaluation)

vigil_add_fuzzer(training_file SOURCES ${VIGIL_FUZZ_DIR}/training_file.cpp LIBS vigil_training)

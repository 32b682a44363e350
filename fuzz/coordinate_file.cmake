vigil_add_fuzzer(coordinate_file SOURCES ${VIGIL_FUZZ_DIR}/coordinate_file.cpp LIBS vigil_training)

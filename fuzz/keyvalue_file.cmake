vigil_add_fuzzer(keyvalue_file SOURCES ${VIGIL_FUZZ_DIR}/keyvalue_file.cpp LIBS vigil_store)

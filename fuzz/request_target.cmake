vigil_add_fuzzer(request_target SOURCES ${VIGIL_FUZZ_DIR}/request_target.cpp LIBS vigil_web_input)

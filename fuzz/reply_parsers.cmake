vigil_add_fuzzer(reply_parsers SOURCES ${VIGIL_FUZZ_DIR}/reply_parsers.cpp LIBS vigil_link)

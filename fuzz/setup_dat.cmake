vigil_add_fuzzer(setup_dat SOURCES ${VIGIL_FUZZ_DIR}/setup_dat.cpp LIBS vigil_installer)

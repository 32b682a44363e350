vigil_add_fuzzer(setup_ini SOURCES ${VIGIL_FUZZ_DIR}/setup_ini.cpp LIBS vigil_installer)

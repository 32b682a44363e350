vigil_add_fuzzer(replication_conf SOURCES ${VIGIL_FUZZ_DIR}/replication_conf.cpp LIBS vigil_replication)

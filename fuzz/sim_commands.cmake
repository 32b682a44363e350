vigil_add_fuzzer(sim_commands SOURCES ${VIGIL_FUZZ_DIR}/sim_commands.cpp LIBS vigil_sim)

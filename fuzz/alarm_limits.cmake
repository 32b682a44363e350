vigil_add_fuzzer(alarm_limits SOURCES ${VIGIL_FUZZ_DIR}/alarm_limits.cpp LIBS vigil_alarms)

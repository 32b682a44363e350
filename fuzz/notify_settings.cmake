vigil_add_fuzzer(notify_settings SOURCES ${VIGIL_FUZZ_DIR}/notify_settings.cpp LIBS vigil_notify)

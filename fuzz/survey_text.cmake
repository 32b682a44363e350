vigil_add_fuzzer(survey_text SOURCES ${VIGIL_FUZZ_DIR}/survey_text.cpp LIBS vigil_survey)

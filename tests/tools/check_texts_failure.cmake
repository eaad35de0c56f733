# Runs the texts generator on a text CP932 cannot hold: it must fail and name the text.
execute_process(COMMAND ${GENERATOR} ${INPUT} ${OUTPUT} RESULT_VARIABLE result ERROR_VARIABLE error)
if(result EQUAL 0)
  message(FATAL_ERROR "the generator accepted a text with no CP932 form")
endif()
if(NOT error MATCHES "no_cp932_form\\.texts:3: kNoForm: .*no CP932 form")
  message(FATAL_ERROR "the failure does not name the text: ${error}")
endif()

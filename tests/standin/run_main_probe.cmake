# Runs the probe program under the harness and checks its exit code, standard output and transcript.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/addon/texte ${WORK}/ram)
file(WRITE ${WORK}/addon/texte/hello.txt "hello\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env
          "TRIVELO_AMIGA_VOLUMES=RAM=${WORK}/ram"
          "TRIVELO_AMIGA_TRANSCRIPT=${WORK}/transcript.jsonl"
          ${EMULATOR} ${PROGRAM}
  WORKING_DIRECTORY ${WORK}/addon
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT code EQUAL 3)
  message(FATAL_ERROR "exit code ${code}, expected 3")
endif()
if(NOT out STREQUAL "hello\nobject not found\n")
  message(FATAL_ERROR "standard output was [${out}]")
endif()
file(READ ${WORK}/transcript.jsonl transcript)
if(NOT transcript STREQUAL "{\"event\":\"probe\",\"ram\":true}\n{\"event\":\"exit\",\"code\":3}\n")
  message(FATAL_ERROR "transcript was [${transcript}]")
endif()

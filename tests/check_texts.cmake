# Fails when a string literal under game/, layer/ or platform/ holds a hex-escaped byte of 0x80 or
# more: the player's own texts are written in <unit>.texts files and converted at build time.
file(GLOB_RECURSE files ${SOURCE_DIR}/game/*.h ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/layer/*.h
  ${SOURCE_DIR}/layer/*.cpp ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
set(offenders "")
foreach(file IN LISTS files)
  file(RELATIVE_PATH path ${SOURCE_DIR} ${file})
  file(STRINGS ${file} lines REGEX "\"[^\"]*\\\\x[89a-fA-F]")
  foreach(line IN LISTS lines)
    list(APPEND offenders "${path}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "hex-escaped texts; write them in the unit's .texts file:\n${text}")
endif()

# Writes a header holding a file's bytes as a string constant:
# cmake -DINPUT=file -DOUTPUT=header -DNAME=identifier -P embed_text.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
  "\\1\"\n    \"" lines "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${lines}")
get_filename_component(source "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
  "// Generated at build time from ${source}.\n#pragma once\n\n"
  "inline constexpr char ${NAME}[] =\n    \"${escaped}\";\n")

# Fails when an include crosses a boundary of the game's layout:
# - a file under game/ includes a layer/ or platform/ header other than layer/core/layer_api.h;
# - a file under game/core (the data model) includes another game folder;
# - a file under game/ other than game/main.cpp and game/program itself includes game/program.
file(GLOB_RECURSE files ${SOURCE_DIR}/game/*.h ${SOURCE_DIR}/game/*.cpp)
set(offenders "")
foreach(file IN LISTS files)
  file(RELATIVE_PATH path ${SOURCE_DIR} ${file})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](layer|platform|game)/")
  foreach(line IN LISTS lines)
    if(line MATCHES "[\"<](layer|platform)/" AND NOT line MATCHES "[\"<]layer/core/layer_api\\.h[\">]")
      list(APPEND offenders "${path} reaches layer internals: ${line}")
    elseif(path MATCHES "^game/core/" AND line MATCHES "[\"<]game/" AND NOT line MATCHES "[\"<]game/core/")
      list(APPEND offenders "${path} is in the data model and includes an upper folder: ${line}")
    elseif(line MATCHES "[\"<]game/program/" AND NOT path MATCHES "^game/(program/|main\\.cpp$)")
      list(APPEND offenders "${path} includes the program's top: ${line}")
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "game/ crosses its boundaries:\n${text}")
endif()

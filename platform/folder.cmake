# Build steps of the platform folder beyond its sources; included by qvarn_add_folder with
# QVARN_FOLDER_TARGET naming the folder's library.

# The Japanese font aliases are embedded from their fontconfig file.
set(aliases_conf ${PROJECT_SOURCE_DIR}/platform/fonts/japanese-aliases.conf)
set(aliases_header ${PROJECT_BINARY_DIR}/generated/platform/fonts/japanese_aliases_conf.h)
add_custom_command(OUTPUT ${aliases_header}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${aliases_conf} -DOUTPUT=${aliases_header}
    -DNAME=kJapaneseAliasesConf -P ${PROJECT_SOURCE_DIR}/platform/fonts/embed_text.cmake
  DEPENDS ${aliases_conf} ${PROJECT_SOURCE_DIR}/platform/fonts/embed_text.cmake
  COMMENT "Embedding japanese-aliases.conf"
  VERBATIM)
target_sources(${QVARN_FOLDER_TARGET} PRIVATE ${aliases_header})
target_include_directories(${QVARN_FOLDER_TARGET} PRIVATE ${PROJECT_BINARY_DIR}/generated)

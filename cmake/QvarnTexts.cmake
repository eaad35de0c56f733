# qvarn_add_texts(<target> <file.texts>...): generates <dir>/<unit>_texts.h from each
# <dir>/<unit>.texts into the build tree, at the include path the header would have in the source.
function(qvarn_add_texts target)
  set(generated ${PROJECT_BINARY_DIR}/generated)
  foreach(texts IN LISTS ARGN)
    get_filename_component(texts ${texts} ABSOLUTE)
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${texts})
    get_filename_component(dir ${path} DIRECTORY)
    get_filename_component(unit ${path} NAME_WE)
    set(header ${generated}/${dir}/${unit}_texts.h)
    add_custom_command(OUTPUT ${header}
      COMMAND make_texts ${path} ${header}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      DEPENDS make_texts ${texts}
      COMMENT "Converting ${path} to CP932"
      VERBATIM)
    target_sources(${target} PRIVATE ${header})
  endforeach()
  target_include_directories(${target} PUBLIC ${generated})
endfunction()

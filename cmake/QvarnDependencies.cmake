# Every outside library the player links, gathered in one interface target.
find_package(PkgConfig REQUIRED)
pkg_check_modules(QVARN_PKGS REQUIRED IMPORTED_TARGET
  sdl2 freetype2 fontconfig libpng zlib libjpeg ogg vorbis vorbisfile theoradec libmpg123 fluidsynth gl egl
  libavformat libavcodec libswscale libswresample libavutil)
find_package(Threads REQUIRED)

add_library(qvarn_deps INTERFACE)
target_link_libraries(qvarn_deps INTERFACE PkgConfig::QVARN_PKGS Threads::Threads ${CMAKE_DL_LIBS})
add_library(qvarn::deps ALIAS qvarn_deps)

# The browser build, configured by scripts/build-web.sh with Emscripten: the libraries come from
# one static prefix built from Debian's source packages, under the names the desktop build finds
# them by, so the game's own targets stay as they are.
set(GAME_WEB_PREFIX "" CACHE PATH "Where scripts/build-web.sh installed the libraries for the browser")
set(GAME_WEB_CONTENT "${CMAKE_SOURCE_DIR}/Content" CACHE PATH "The Content folder the page preloads")
if(NOT EXISTS "${GAME_WEB_PREFIX}/lib/libSDL2.a")
  message(FATAL_ERROR "GAME_WEB_PREFIX does not hold the browser's libraries: build with scripts/build-web.sh")
endif()
# Only the game and its page: the tests, benchmarks, tools and package are the desktop's.
set(GAME_TESTS OFF)
set(GAME_BENCH OFF)
set(GAME_TOOLS OFF)
# The game reports bad content by exceptions; Emscripten turns them off by default.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

set(_web_lib "${GAME_WEB_PREFIX}/lib")
add_library(PkgConfig::SDL2 INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL2 INTERFACE "${GAME_WEB_PREFIX}/include/SDL2")
target_link_libraries(PkgConfig::SDL2 INTERFACE "${_web_lib}/libSDL2_image.a" "${_web_lib}/libSDL2.a")
add_library(PkgConfig::SNDFILE INTERFACE IMPORTED)
target_include_directories(PkgConfig::SNDFILE INTERFACE "${GAME_WEB_PREFIX}/include")
target_link_libraries(PkgConfig::SNDFILE INTERFACE "${_web_lib}/libsndfile.a" "${_web_lib}/libFLAC.a"
  "${_web_lib}/libopus.a" "${_web_lib}/libvorbisenc.a" "${_web_lib}/libvorbis.a" "${_web_lib}/libogg.a")
add_library(Boost::filesystem INTERFACE IMPORTED)
target_include_directories(Boost::filesystem INTERFACE "${GAME_WEB_PREFIX}/include")
target_link_libraries(Boost::filesystem INTERFACE "${_web_lib}/libboost_filesystem.a")
# One thread in the browser: threads need headers a plain web server does not send.
add_library(Threads::Threads INTERFACE IMPORTED)

# The game as glimmerduct.js, .wasm and .data (the content, read-only where the installed game
# keeps it), and our own page beside them.
function(game_web_page target)
  file(GLOB_RECURSE content CONFIGURE_DEPENDS "${GAME_WEB_CONTENT}/*")
  set(pre "${CMAKE_SOURCE_DIR}/web/pre.js")
  target_link_options(${target} PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
    -lidbfs.js -sFORCE_FILESYSTEM=1 --pre-js "${pre}"
    "SHELL:--preload-file ${GAME_WEB_CONTENT}@${CMAKE_INSTALL_FULL_DATADIR}/glimmerduct/Content"
    # A self-built SDL2 does not pull these in as Emscripten's own port would.
    "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/web/library-funcs.json")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${pre}" ${content})
  configure_file("${CMAKE_SOURCE_DIR}/web/index.html" "${CMAKE_BINARY_DIR}/index.html" COPYONLY)
endfunction()

cmake_policy(SET CMP0057 NEW)  # IN_LIST
# Fails when the shared game's objects call an SDL, SDL_mixer or SDL_gfx function that the list in
# src/media/SdlCalls.h does not name, so that a new call shows in one place on both platforms.
# Usage: cmake -DNM=nm -DLIST=src/media/SdlCalls.h "-DOBJECTS=a.o;b.o" -P check-sdl-calls.cmake
file(READ ${LIST} header)
string(REGEX MATCHALL "X\\(([A-Za-z_]+)\\)" named "${header}")
string(REGEX REPLACE "X\\(([A-Za-z_]+)\\)" "\\1" named "${named}")
execute_process(COMMAND ${NM} -u ${OBJECTS} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "U [A-Za-z_]+" symbols "${symbols}")
set(unnamed)
foreach(symbol IN LISTS symbols)
  string(SUBSTRING ${symbol} 2 -1 symbol)
  if(symbol MATCHES "^(SDL_|Mix_|gfx)|(RGBA|Color)$" AND NOT symbol IN_LIST named)
    list(APPEND unnamed ${symbol})
  endif()
endforeach()
if(unnamed)
  list(REMOVE_DUPLICATES unnamed)
  message(FATAL_ERROR "The shared game calls what ${LIST} does not name: ${unnamed}")
endif()

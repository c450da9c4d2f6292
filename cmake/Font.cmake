# Stages the font the game reads as "arial.ttf" beside the executables.
# Liberation Sans (metric-compatible with the face the name refers to) by default;
# -DPELMORA_FONT=/path/to.ttf picks another.
set(PELMORA_FONT "" CACHE FILEPATH "TrueType font staged as arial.ttf beside the game")
if(NOT PELMORA_FONT)
  foreach(candidate
      /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
      /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
      /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
    if(EXISTS ${candidate})
      set(PELMORA_FONT_FOUND ${candidate})
      break()
    endif()
  endforeach()
else()
  set(PELMORA_FONT_FOUND ${PELMORA_FONT})
endif()
if(NOT PELMORA_FONT_FOUND OR NOT EXISTS ${PELMORA_FONT_FOUND})
  message(FATAL_ERROR "No TrueType font for the game: install fonts-liberation2 or pass -DPELMORA_FONT=/path/to.ttf")
endif()
message(STATUS "Font staged as arial.ttf: ${PELMORA_FONT_FOUND}")

set(PELMORA_STAGED_FONT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/arial.ttf)
add_custom_command(OUTPUT ${PELMORA_STAGED_FONT}
  COMMAND ${CMAKE_COMMAND} -E copy ${PELMORA_FONT_FOUND} ${PELMORA_STAGED_FONT}
  DEPENDS ${PELMORA_FONT_FOUND}
  COMMENT "Staging arial.ttf")
add_custom_target(font ALL DEPENDS ${PELMORA_STAGED_FONT})

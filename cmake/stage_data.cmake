# Stages the game folder into the build tree. Shipped data is refreshed every build; save/ is only
# seeded, so the player's saves and registry survive a rebuild.
foreach(sub ini img midi)
    if(EXISTS "${SRC}/${sub}")
        file(COPY "${SRC}/${sub}" DESTINATION "${DST}")
    endif()
endforeach()
file(MAKE_DIRECTORY "${DST}/save")
file(GLOB seeds RELATIVE "${SRC}/save" "${SRC}/save/*")
foreach(f IN LISTS seeds)
    if(NOT EXISTS "${DST}/save/${f}")
        file(COPY "${SRC}/save/${f}" DESTINATION "${DST}/save")
    endif()
endforeach()

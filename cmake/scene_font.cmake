# The scene's font on Linux: a cut of the system's WenQuanYi Micro Hei holding only the
# glyphs of the scene's texts (cmake/scene_font.py), linked in as :/fonts/scene_sans.ttf.
# Windows has the family the scene names.
if(UNIX AND NOT APPLE)
    find_file(SCENE_FONT_SOURCE wqy-microhei.ttc PATHS /usr/share/fonts/truetype/wqy NO_DEFAULT_PATH)
    find_program(SYSTEM_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH)
    if(SYSTEM_PYTHON3)
        execute_process(COMMAND ${SYSTEM_PYTHON3} -c "import fontTools"
                        RESULT_VARIABLE fonttools_missing OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(NOT SCENE_FONT_SOURCE OR NOT SYSTEM_PYTHON3 OR fonttools_missing)
        message(FATAL_ERROR "The scene's font is cut from WenQuanYi Micro Hei with fontTools: "
                            "install fonts-wqy-microhei and python3-fonttools (scripts/run does).")
    endif()
    set(SCENE_FONT ${CMAKE_BINARY_DIR}/scene_font/scene_sans.ttf)
    file(GLOB LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/modules/i18n/*.ini)
    add_custom_command(OUTPUT ${SCENE_FONT}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/scene_font
        COMMAND ${SYSTEM_PYTHON3} ${CMAKE_SOURCE_DIR}/cmake/scene_font.py ${SCENE_FONT_SOURCE}
                ${SCENE_FONT} ${LANGUAGE_FILES}
        DEPENDS ${CMAKE_SOURCE_DIR}/cmake/scene_font.py ${SCENE_FONT_SOURCE} ${LANGUAGE_FILES}
        COMMENT "Cutting the scene's font from ${SCENE_FONT_SOURCE}"
        VERBATIM)
    # Uncompressed, so the font is read in place and not copied into the heap.
    qt_add_resources(corvane_scene scene_font PREFIX "/fonts" BASE ${CMAKE_BINARY_DIR}/scene_font
                     OPTIONS --no-compress FILES ${SCENE_FONT})
endif()

# The skin pictures in data/: big enough, readable under their label colours, and exactly what
# tools/make_skins writes.
vexlo_add_test(skin_picture_tests
    SOURCES skinpictures_test.cpp
    LIBS vexlo_common
    PROPERTIES TIMEOUT 300)
add_dependencies(skin_picture_tests make_skins)
target_compile_definitions(skin_picture_tests PRIVATE
    VEXLO_DATA_SOURCE_DIR="${PROJECT_SOURCE_DIR}/data"
    VEXLO_MAKE_SKINS="$<TARGET_FILE:make_skins>")

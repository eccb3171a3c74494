# The digit pictures: which picture shows which digit, and what the pictures look like.
vexlo_add_test(digit_tests
    SOURCES digitpictures_test.cpp
    LIBS vexlo_common)

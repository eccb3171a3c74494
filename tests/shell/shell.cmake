# The shell's windows and logic on the offscreen platform.
vexlo_add_test(shell_tests
    SOURCES resolutions_test.cpp skins_test.cpp desktopshell_test.cpp
    LIBS vexlo_shell)

# The help viewer, run on the help file the build copies next to the programs.
vexlo_add_test(help_tests SOURCES helpwindow_test.cpp LIBS vexlo_common)

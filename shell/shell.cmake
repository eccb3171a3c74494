# Skins, window behaviour and the colour-display dialog: the rest of the shell.
target_sources(vexlo_shell PRIVATE
    desktopshell.cpp desktopshell.h
    resolutions.cpp resolutions.h
    shellplatform.h
    shellwidgets.cpp shellwidgets.h
    skins.cpp skins.h
)

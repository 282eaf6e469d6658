list(APPEND HOARDLY_WIDGET_SOURCES
    app/Commands.cpp
    app/Dialogs.cpp
    app/Shell.h
)

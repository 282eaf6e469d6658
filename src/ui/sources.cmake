# The base every window stands on: the dialog seam, the command wrapper, bound controls, key
# filters, the command table and its lock, drawn icons.
list(APPEND HOARDLY_WIDGET_SOURCES
    ui/BoundControls.cpp
    ui/CommandTable.cpp
    ui/Commands.cpp
    ui/Dialogs.cpp
    ui/GridColumns.cpp
    ui/Icons.cpp
    ui/KeyFilters.cpp
    ui/LabelRoom.cpp
    ui/PictureBox.cpp
    ui/PlainTextDelegate.cpp
    ui/WebLink.cpp
    ui/PictureCodec.cpp
    ui/ReadOnlyStart.cpp
    ui/Shell.h
)

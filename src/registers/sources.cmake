list(APPEND HOARDLY_CORE_SOURCES
    registers/RegisterLogic.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    registers/CommandTable.cpp
    registers/FilmForm.cpp
    registers/FindBox.cpp
    registers/MasterGrid.h
    registers/Navigator.cpp
    registers/RegisterDescription.h
    registers/RegisterIcons.cpp
    registers/RegisterPages.cpp
    registers/RegisterWindow.cpp
)

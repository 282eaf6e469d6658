list(APPEND HOARDLY_WIDGET_SOURCES
    maintenance/BackupsGroup.cpp
    maintenance/ConfigForm.cpp
    maintenance/PropertiesPage.h
    maintenance/PropertiesPages.cpp
)

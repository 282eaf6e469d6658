list(APPEND HOARDLY_CORE_SOURCES
    maintenance/BackupPlan.cpp
    maintenance/FileCopy.cpp
    maintenance/MusicList.cpp
)

list(APPEND HOARDLY_WIDGET_SOURCES
    maintenance/BackUpForm.cpp
    maintenance/BackupProcessForm.cpp
    maintenance/BackupsGroup.cpp
    maintenance/ConfigForm.cpp
    maintenance/PropertiesPage.h
    maintenance/FileCopyFacility.cpp
    maintenance/MusicPage.cpp
    maintenance/PropertiesPages.cpp
    maintenance/Restore.cpp
)

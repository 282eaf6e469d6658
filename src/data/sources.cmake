list(APPEND HOARDLY_CORE_SOURCES
    data/Collation.cpp
    data/DataSource.h
    data/Dates.cpp
    data/GridModels.cpp
    data/OwnerOnlyFiles.cpp
    data/PictureChecks.cpp
    data/PictureField.cpp
    data/Query.cpp
    data/Schema.cpp
    data/SettingsRecord.cpp
    data/SharedRoutines.cpp
    data/Sqlite.cpp
    data/StarterData.cpp
    data/Table.cpp
    data/TDM.cpp
    data/TextFiles.cpp
)

list(APPEND HOARDLY_CORE_SOURCES
    printing/ListLayouts.cpp
    printing/ListRecords.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    printing/ListDocument.cpp
    printing/ListOutput.cpp
    printing/ListPreview.cpp
    printing/PrintCommands.cpp
)

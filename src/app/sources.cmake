list(APPEND HOARDLY_CORE_SOURCES
    app/DatabaseSetup.cpp
    app/HelpBook.cpp
    app/MusicPlayer.cpp
    app/Version.h
)
list(APPEND HOARDLY_WIDGET_SOURCES
    app/AboutBox.cpp
    app/Application.cpp
    app/Artwork.cpp
    app/HelpForm.cpp
    app/IntroForm.cpp
    app/MainButtons.h
    app/MainForm.cpp
    app/BackgroundMusic.cpp
    app/TipsForm.cpp
)

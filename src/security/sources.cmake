list(APPEND HOARDLY_CORE_SOURCES
    security/CodeStorePass.cpp
    security/MainPassword.cpp
    security/Scramble.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    security/CodeStoreForm.cpp
    security/PasswordGroup.cpp
    security/PasswordPrompt.cpp
)

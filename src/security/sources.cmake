list(APPEND HOARDLY_CORE_SOURCES
    security/CodeStorePass.cpp
    security/MainPassword.cpp
    security/Scramble.cpp
)

list(APPEND HOARDLY_CORE_SOURCES
    registers/FilmPickLists.cpp
    registers/FilmSearch.cpp
    registers/SearchCriteria.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    registers/SearchPage.cpp
    registers/SearchPage.h
)

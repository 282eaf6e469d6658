list(APPEND HOARDLY_CORE_SOURCES
    registers/AdressBook.cpp
    registers/CurrentLiteratureList.cpp
    registers/FilmPickLists.cpp
    registers/FilmSearch.cpp
    registers/LiteraturePickLists.cpp
    registers/LiteratureSearch.cpp
    registers/Inventory.cpp
    registers/RegisterLogic.cpp
    registers/SearchCriteria.cpp
    registers/SoftwareLists.cpp
    registers/SoftwareSearch.cpp
    registers/WebAddress.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    registers/RecordButtons.cpp
    registers/AdressForm.cpp
    registers/FilmForm.cpp
    registers/FindBox.cpp
    registers/MasterGrid.h
    registers/Navigator.cpp
    registers/RegisterDescription.h
    registers/RegisterPages.cpp
    registers/RegisterWindow.cpp
    registers/SearchPage.cpp
    registers/SearchPage.h
)

list(APPEND HOARDLY_CORE_SOURCES
    lending/Lending.cpp
    lending/LendingInterfaces.h
    lending/LendObjectTypes.cpp
    lending/LoanCheck.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    lending/BorrowChoiceForm.cpp
    lending/BorrowFillinForm.cpp
    lending/BorrowForm.cpp
    lending/LendingGrid.cpp
    lending/LendingWindows.cpp
)

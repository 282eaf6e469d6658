list(APPEND HOARDLY_CORE_SOURCES
    lending/Lending.cpp
    lending/LendingInterfaces.h
    lending/LendObjectTypes.cpp
    lending/ReminderMail.cpp
    lending/ReminderScan.cpp
    lending/ReminderSending.cpp
    lending/SmtpExchange.cpp
    lending/SmtpReply.cpp
)
list(APPEND HOARDLY_WIDGET_SOURCES
    lending/BorrowChoiceForm.cpp
    lending/BorrowFillinForm.cpp
    lending/BorrowForm.cpp
    lending/EmailReminders.cpp
    lending/EpostForm.cpp
    lending/InternetPage.cpp
    lending/LendingGrid.cpp
    lending/LendingWindows.cpp
)

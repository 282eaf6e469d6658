hoardly_add_test(test_database_setup app/test_database_setup.cpp)
hoardly_add_test(test_main_window app/test_main_window.cpp)
hoardly_add_test(test_help_book app/test_help_book.cpp)
# The book has a page with a picture for every window the screenshot tool knows.
target_link_libraries(test_help_book PRIVATE hoardly_screenshot_windows)
target_compile_definitions(test_help_book PRIVATE
    HOARDLY_SCREENSHOT_DIR="${HOARDLY_SCREENSHOT_DIR}"
    HOARDLY_PRINT_PICTURES_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/print-pictures.sh")
hoardly_add_test(test_background_music app/test_background_music.cpp)

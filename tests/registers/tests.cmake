hoardly_add_test(test_search_criteria registers/test_search_criteria.cpp)
hoardly_add_test(test_search_page registers/test_search_page.cpp)
hoardly_add_test(test_register_logic registers/test_register_logic.cpp)
hoardly_add_test(test_find_box registers/test_find_box.cpp)
hoardly_add_test(test_command_table registers/test_command_table.cpp)
hoardly_add_test(test_film_form registers/test_film_form.cpp)

# Not a test: writes pictures of the film window's pages (see docs/screenshots).
add_executable(film_screenshots registers/film_screenshots.cpp)
target_link_libraries(film_screenshots PRIVATE hoardly_test_support)
hoardly_add_test(test_address_book registers/test_address_book.cpp)
hoardly_add_test(test_adress_form registers/test_adress_form.cpp)

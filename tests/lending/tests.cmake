hoardly_add_test(test_lending lending/test_lending.cpp)
hoardly_add_test(test_lending_windows lending/test_lending_windows.cpp)
# Not a test: draws the lending windows for the documentation (run under Xvfb).
add_executable(lending_screenshots lending/lending_screenshots.cpp)
target_link_libraries(lending_screenshots PRIVATE hoardly_test_support)

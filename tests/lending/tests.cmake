hoardly_add_test(test_lending lending/test_lending.cpp)

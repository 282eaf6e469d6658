hoardly_add_test(test_table data/test_table.cpp)
hoardly_add_test(test_query data/test_query.cpp)
hoardly_add_test(test_shared_routines data/test_shared_routines.cpp)
hoardly_add_test(test_collation data/test_collation.cpp)

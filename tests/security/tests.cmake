hoardly_add_test(test_scramble security/test_scramble.cpp)
hoardly_add_test(test_password security/test_password.cpp)
hoardly_add_test(test_code_store_form security/test_code_store_form.cpp)

# The scramble pass is killed half-way in a process of its own.
add_executable(code_pass_child security/code_pass_child.cpp)
target_link_libraries(code_pass_child PRIVATE hoardly_core)
hoardly_add_test(test_code_store_pass security/test_code_store_pass.cpp)
add_dependencies(test_code_store_pass code_pass_child)
target_compile_definitions(test_code_store_pass PRIVATE
    HOARDLY_CODE_PASS_CHILD="$<TARGET_FILE:code_pass_child>")

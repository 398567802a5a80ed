# A command-line FTP client built on TPellFtp.
add_executable(ftpcli ${CMAKE_CURRENT_LIST_DIR}/ftpcli/main.cpp)
target_link_libraries(ftpcli PRIVATE components)

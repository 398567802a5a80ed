# Tests of the FTP client component and its platform layer.
add_library(ftp_test_servers STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ftp/ScriptedFtpServer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ftp/ScriptedFtpServer.h
    ${CMAKE_CURRENT_LIST_DIR}/ftp/RealFtpServer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ftp/RealFtpServer.h)
target_include_directories(ftp_test_servers PUBLIC ${CMAKE_CURRENT_LIST_DIR}/ftp)
target_link_libraries(ftp_test_servers PUBLIC Qt6::Core)
find_package(Threads REQUIRED)
target_link_libraries(ftp_test_servers PUBLIC Threads::Threads)

emotipad_add_test(ftp_platform
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ftp/tst_ftp_platform.cpp
    LIBS components
    TIMEOUT 120)

emotipad_add_test(ftp_model
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ftp/tst_pellftp_model.cpp
    LIBS components
    TIMEOUT 60)

emotipad_add_test(ftp_scripted
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ftp/tst_pellftp_scripted.cpp
    LIBS components ftp_test_servers
    TIMEOUT 180)

# Needs /usr/bin/python3 with pyftpdlib (Debian's python3-pyftpdlib).
emotipad_add_test(ftp_server
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ftp/tst_pellftp_server.cpp
    LIBS components ftp_test_servers
    TIMEOUT 180)

# The example client against a real server.
emotipad_add_test(ftp_cli
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ftp/tst_ftpcli.cpp
    LIBS ftp_test_servers
    TIMEOUT 180)
target_compile_definitions(ftp_cli PRIVATE FTPCLI_PATH="$<TARGET_FILE:ftpcli>")
add_dependencies(ftp_cli ftpcli)

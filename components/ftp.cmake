# Sources of the FTP client component and its platform layer.
target_sources(components PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PellFtp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PellFtp.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/Application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/Application.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/ClientSocket.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/ClientSocket.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/Component.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/Component.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/Exceptions.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/FileStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/FileStream.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/ServerSocket.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/ServerSocket.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/SocketApi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/SocketApi.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/SocketStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/SocketStream.h
)

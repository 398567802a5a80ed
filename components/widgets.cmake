# Sources of the visual components (hyperlink panel, vertical label).
target_sources(components PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Color.cpp ${CMAKE_CURRENT_LIST_DIR}/Color.h
    ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp ${CMAKE_CURRENT_LIST_DIR}/Fonts.h
    ${CMAKE_CURRENT_LIST_DIR}/CustomPanel.cpp ${CMAKE_CURRENT_LIST_DIR}/CustomPanel.h
    ${CMAKE_CURRENT_LIST_DIR}/UrlShowPanel.cpp ${CMAKE_CURRENT_LIST_DIR}/UrlShowPanel.h
    ${CMAKE_CURRENT_LIST_DIR}/TateLabel.cpp ${CMAKE_CURRENT_LIST_DIR}/TateLabel.h)
# The Designer plugin links this static library into a shared module.
set_target_properties(components PROPERTIES POSITION_INDEPENDENT_CODE ON)
install(FILES Color.h Fonts.h CustomPanel.h UrlShowPanel.h TateLabel.h DESTINATION include/emotipad)

if(TARGET Qt6::Designer AND TARGET Qt6::UiPlugin)
    add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/designer ${CMAKE_CURRENT_BINARY_DIR}/designer)
endif()

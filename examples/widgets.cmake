# The gallery: both visual components in their interesting states.
add_executable(gallery gallery/main.cpp)
target_link_libraries(gallery PRIVATE components)

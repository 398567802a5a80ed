# Tests of the visual components and their Designer plugin.
emotipad_add_test(tst_urlshowpanel SOURCES widgets/tst_urlshowpanel.cpp LIBS components TIMEOUT 60)
emotipad_add_test(tst_tatelabel SOURCES widgets/tst_tatelabel.cpp LIBS components TIMEOUT 60)
emotipad_add_test(tst_color SOURCES widgets/tst_color.cpp LIBS components TIMEOUT 60)
if(TARGET emotipad_designer)
    emotipad_add_test(tst_designerplugin SOURCES widgets/tst_designerplugin.cpp
                      LIBS components Qt6::UiPlugin TIMEOUT 60)
    target_compile_definitions(tst_designerplugin PRIVATE
        EMOTIPAD_DESIGNER_PLUGIN="$<TARGET_FILE:emotipad_designer>")
    add_dependencies(tst_designerplugin emotipad_designer)
endif()
emotipad_add_test(tst_forms SOURCES widgets/tst_forms.cpp widgets/LinkForm.ui LIBS components TIMEOUT 60)
emotipad_add_test(tst_fonts SOURCES widgets/tst_fonts.cpp LIBS components TIMEOUT 60)

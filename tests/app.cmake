# Tests of the kaomoji picker.
emotipad_add_test(tst_kaomojistore SOURCES app/tst_kaomojistore.cpp LIBS emotipad_core)
emotipad_add_test(tst_mainwindow SOURCES app/tst_mainwindow.cpp LIBS emotipad_gui)
emotipad_add_test(tst_listcommands SOURCES app/tst_listcommands.cpp app/AppFixture.h LIBS emotipad_gui)
emotipad_add_test(tst_quitflow SOURCES app/tst_quitflow.cpp app/AppFixture.h LIBS emotipad_gui)

# The real program on a real X server, with the real clipboard.
add_test(NAME e2e_clipboard_xvfb
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/e2e_clipboard.sh $<TARGET_FILE:emotipad>)
set_tests_properties(e2e_clipboard_xvfb PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C.UTF-8")
emotipad_add_test(tst_addpanel SOURCES app/tst_addpanel.cpp app/AppFixture.h LIBS emotipad_gui)
emotipad_add_test(tst_import SOURCES app/tst_import.cpp app/AppFixture.h LIBS emotipad_gui)

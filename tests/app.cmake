# Tests of the kaomoji picker.
emotipad_add_test(tst_kaomojistore SOURCES app/tst_kaomojistore.cpp LIBS emotipad_core)
emotipad_add_test(tst_mainwindow SOURCES app/tst_mainwindow.cpp LIBS emotipad_gui)

# The windows are the only code that meets Qt. Each subsystem with windows has one static
# library <subsystem>_ui declared through zelidor_ui_library(): moc runs for it alone, and the
# definitions below turn every silent conversion between Qt text and C strings into a compile
# error, because the core's text is Latin-1 and Qt would read a char* as UTF-8.
function(zelidor_ui_library name)
    add_library(${name} STATIC ${ARGN})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(${name} PUBLIC
        QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
        QT_DISABLE_DEPRECATED_BEFORE=0x060400)
    zelidor_set_warnings(${name})
endfunction()

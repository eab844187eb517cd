# Warnings apply to our own targets only (not to imported libraries).
function(zelidor_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Wnon-virtual-dtor)
    if(ZELIDOR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

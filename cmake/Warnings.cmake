# Strict warnings on every target of the project, through one helper.
function(trasel_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

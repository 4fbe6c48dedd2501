# Settings every target of our own gets: strict warnings as errors, and no
# contraction of a*b+c into fused multiply-adds, since the curve arithmetic
# depends on each product and sum being rounded on its own.
function(our_target target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
    -Wdouble-promotion -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wimplicit-fallthrough -Werror
    -ffp-contract=off)
endfunction()

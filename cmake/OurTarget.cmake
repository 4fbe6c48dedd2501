# Settings every target of our own gets: strict warnings (errors with
# CURVEPLOT_WERROR, which CI and the Makefile turn on), and no contraction of
# a*b+c into fused multiply-adds, since the curve arithmetic depends on each
# product and sum being rounded on its own.
function(our_target target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
    -Wdouble-promotion -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wimplicit-fallthrough
    $<$<BOOL:${CURVEPLOT_WERROR}>:-Werror>
    -ffp-contract=off)
endfunction()

# Libraries and programs that must build without any window toolkit: no Qt
# code generators run on them, so no Qt path reaches their include paths.
function(toolkit_free target)
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

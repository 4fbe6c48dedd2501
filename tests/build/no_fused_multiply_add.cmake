# Fails when the curve library holds a fused multiply-add: the sampling
# arithmetic rounds every product and sum on its own, in every kernel the
# dispatch builds (AVX2 and arm64 have the instructions, and a compiler
# allowed to contract a*b + c would use them).
execute_process(COMMAND "${OBJDUMP}" -d "${LIBRARY}" OUTPUT_VARIABLE code RESULT_VARIABLE failed)
if(failed OR NOT code MATCHES "\tret")
  message(FATAL_ERROR "could not disassemble ${LIBRARY}")
endif()
string(REGEX MATCH "\tv?f(n?madd|n?msub|mad|msb|n?mla|n?mls)[0-9a-z.]* [^\n]*" fused "${code}")
if(fused)
  message(FATAL_ERROR "a fused multiply-add in ${LIBRARY}: ${fused}")
endif()

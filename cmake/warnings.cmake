option(TARNEL_WERROR "Treat warnings as errors" OFF)

function(tarnel_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>)
  if(TARNEL_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
  endif()
endfunction()

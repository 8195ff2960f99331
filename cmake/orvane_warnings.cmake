# The one set of warnings every target of the project is built with.
option(ORVANE_WARNINGS_AS_ERRORS "Fail the build on any compiler warning" OFF)

# -Wsign-conversion is left out: pixel positions and counts are int throughout, and it would ask
# for a cast at nearly every index.
set(ORVANE_WARNING_FLAGS
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast -Wnon-virtual-dtor
  -Woverloaded-virtual -Wmissing-declarations -Wredundant-decls -Wextra-semi -Wundef
  # GCC's own; Clang (the fuzzer's tree) does not know them, and its -Wconversion also asks for
  # -Wsign-conversion, left out as above.
  $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond> $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-branches>
  $<$<CXX_COMPILER_ID:GNU>:-Wlogical-op> $<$<CXX_COMPILER_ID:Clang>:-Wno-sign-conversion>)

# orvane_target_warnings(TARGET): gives TARGET's own sources the project's warnings, as errors
# when ORVANE_WARNINGS_AS_ERRORS is ON (headers of Qt, GoogleTest and the system stay quiet).
function(orvane_target_warnings target)
  target_compile_options(${target} PRIVATE ${ORVANE_WARNING_FLAGS})
  set_target_properties(${target} PROPERTIES
    COMPILE_WARNING_AS_ERROR ${ORVANE_WARNINGS_AS_ERRORS}
    ORVANE_WARNINGS ON)
endfunction()

# orvane_check_warnings(DIR): stops the configuration when a target of DIR or a folder below it
# compiles code without orvane_target_warnings(), so that no new target escapes the
# warnings-as-errors tree unnoticed.
function(orvane_check_warnings dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(warned ${target} ORVANE_WARNINGS)
    if(NOT type MATCHES "^(UTILITY|INTERFACE_LIBRARY)$" AND NOT warned)
      message(FATAL_ERROR "${target} in ${dir} is built without orvane_target_warnings()")
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    orvane_check_warnings(${subdir})
  endforeach()
endfunction()

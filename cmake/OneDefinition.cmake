# One definition per name. Two classes that share a name at namespace scope but differ compile
# and link without a word, and the program then runs with whichever definition the inliner or
# the linker happened to pick. GCC's link-time optimiser compares the definitions that several
# files give of one name; so a release build with GCC compiles the program's libraries to fat
# LTO objects (ordinary code beside the optimiser's view, so everything else links as before)
# and velkan_odr_check(target) links the target's objects once more through the optimiser, with
# a name defined twice as an error. The program itself is linked as usual.
option(VELKAN_ODR_CHECK "Release builds with GCC stop on a name the program defines twice" ON)
set(VELKAN_ODR_CHECK_ACTIVE OFF)
if(VELKAN_ODR_CHECK AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_BUILD_TYPE STREQUAL "Release")
  set(VELKAN_ODR_CHECK_ACTIVE ON)
endif()

# For the folders of the program: their objects carry what the check compares.
macro(velkan_odr_objects)
  if(VELKAN_ODR_CHECK_ACTIVE)
    add_compile_options(-flto=auto -ffat-lto-objects)
  endif()
endmacro()

# Links <target>-odr-check from the target's objects and libraries through the link-time
# optimiser; the build fails when two files define one name differently.
function(velkan_odr_check target)
  if(NOT VELKAN_ODR_CHECK_ACTIVE)
    return()
  endif()
  get_target_property(_libs ${target} LINK_LIBRARIES)
  add_executable(${target}-odr-check $<TARGET_OBJECTS:${target}>)
  target_link_libraries(${target}-odr-check PRIVATE ${_libs})
  target_link_options(${target}-odr-check PRIVATE -flto=auto -Werror=odr -Werror=lto-type-mismatch)
  # Not a program to run: kept away from the one beside its libraries.
  set_target_properties(${target}-odr-check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/odr-check)
endfunction()

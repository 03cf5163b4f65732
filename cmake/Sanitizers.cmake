# Build type "Asan": AddressSanitizer and UndefinedBehaviorSanitizer over the whole build.
set(_san "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined")
set(CMAKE_CXX_FLAGS_ASAN "-O1 -g ${_san}" CACHE STRING "" FORCE)
set(CMAKE_C_FLAGS_ASAN "-O1 -g ${_san}" CACHE STRING "" FORCE)
set(CMAKE_EXE_LINKER_FLAGS_ASAN "${_san}" CACHE STRING "" FORCE)
set(CMAKE_SHARED_LINKER_FLAGS_ASAN "${_san}" CACHE STRING "" FORCE)

add_compile_options(-Wall -Wextra)
if(QUORKVT_WERROR)
  add_compile_options(-Werror)
endif()
# GCC 12 reports -Wrestrict on std::string concatenation in optimised builds, a known false
# positive of that release (GCC bug 105329); the warning stays on with every other compiler.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(QUORKVT_SANITIZE)
  add_compile_options(-fsanitize=${QUORKVT_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${QUORKVT_SANITIZE})
endif()

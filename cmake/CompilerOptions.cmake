# Interface targets every project target links: warnings, and the floating-point
# rules the model depends on to reproduce its numbers bit for bit.

add_library(corvellan_warnings INTERFACE)
target_compile_options(corvellan_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(CORVELLAN_WERROR)
  target_compile_options(corvellan_warnings INTERFACE -Werror)
endif()

# A fused multiply-add rounds once where the model rounds twice; it would change
# the random sequence and the series.
add_library(corvellan_fp INTERFACE)
target_compile_options(corvellan_fp INTERFACE -ffp-contract=off -fno-fast-math)

if(CORVELLAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

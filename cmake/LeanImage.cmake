# How the shipped binaries are laid out for a small resident footprint.
# - Debug information goes to a file beside the binary (name.debug, found by
#   debuggers through a debug link): Wine reads a whole image into memory when
#   it loads it, so debug sections left inside would cost the program tens of
#   MiB and every program that loads the hook library part of a MiB.
# - Sections start on page boundaries in the file, so the loader can map them
#   from the file (shared, clean pages) instead of copying them into private
#   memory.
include_guard(GLOBAL)

function(qv_lean_image target)
  target_link_options(${target} PRIVATE -Wl,--file-alignment,4096)
  if(NOT CMAKE_OBJCOPY)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

# Image decoding libraries as imported targets QV::zlib, QV::png and QV::jpeg.
# Windows builds link static zlib, libpng and libjpeg-turbo built from Debian's
# source packages by scripts/build-image-libs.sh into QV_DEPS_PREFIX; native
# builds use the system's development packages.
include_guard(GLOBAL)

if(WIN32)
  set(QV_DEPS_PREFIX ${CMAKE_BINARY_DIR}/deps/mingw64
      CACHE PATH "Where the static MinGW image libraries are built and installed")

  if(NOT EXISTS ${QV_DEPS_PREFIX}/.stamp)
    message(STATUS "Building static image libraries into ${QV_DEPS_PREFIX} (a few minutes, once)")
    execute_process(
      COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-image-libs.sh ${QV_DEPS_PREFIX}
      RESULT_VARIABLE image_libs_result)
    if(NOT image_libs_result EQUAL 0)
      message(FATAL_ERROR "scripts/build-image-libs.sh ${QV_DEPS_PREFIX} failed "
                          "(${image_libs_result}): see its messages above; the build output "
                          "is in ${QV_DEPS_PREFIX}.work/build.log")
    endif()
  endif()

  # Imported targets must name files that exist; the headers folder too.
  function(qv_static_image_lib target file)
    set(path ${QV_DEPS_PREFIX}/lib/${file})
    if(NOT EXISTS ${path})
      message(FATAL_ERROR "${path} is missing; delete ${QV_DEPS_PREFIX}/.stamp to rebuild it")
    endif()
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${path}
                                               INTERFACE_INCLUDE_DIRECTORIES ${QV_DEPS_PREFIX}/include)
  endfunction()

  qv_static_image_lib(QV::zlib libz.a)
  qv_static_image_lib(QV::png libpng16.a)
  qv_static_image_lib(QV::jpeg libjpeg.a)
  set_target_properties(QV::png PROPERTIES INTERFACE_LINK_LIBRARIES QV::zlib)
endif()

if(NOT WIN32)
  find_package(ZLIB REQUIRED)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  add_library(QV::zlib INTERFACE IMPORTED GLOBAL)
  target_link_libraries(QV::zlib INTERFACE ZLIB::ZLIB)
  add_library(QV::png INTERFACE IMPORTED GLOBAL)
  target_link_libraries(QV::png INTERFACE PNG::PNG)
  add_library(QV::jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(QV::jpeg INTERFACE JPEG::JPEG)
endif()

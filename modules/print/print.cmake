# The printing module (modules/print/textprint.cpp), loaded on first use:
# next to the program when it belongs to the learner or root (the build
# tree), else from the configured library folder, an absolute path fixed
# here. Included by the top file after tapivox_core is defined.
add_library(tapivox_print MODULE ${CMAKE_SOURCE_DIR}/modules/print/textprint.cpp)
target_link_libraries(tapivox_print PRIVATE Qt6::Gui Qt6::PrintSupport)
target_compile_options(tapivox_print PRIVATE -Wall -Wextra)
set_target_properties(tapivox_print PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(tapivox_core tapivox_print)
target_compile_definitions(tapivox_core PRIVATE
  TAPIVOX_MODULE_DIR="${CMAKE_INSTALL_FULL_LIBDIR}/tapivox")
install(TARGETS tapivox_print LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tapivox)

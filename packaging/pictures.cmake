# The program's pictures: its SVG sources rendered at build time
# (packaging/render_pictures.cpp) to PNG files compiled into the program under
# :/icons and to a table of ready pixels (ui::picture()), so that start-up
# loads no SVG renderer and decodes no image. Included by the top file
# after tapivox_core is defined.
file(GLOB TAPIVOX_PICTURE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/*.svg)
add_executable(render_pictures packaging/render_pictures.cpp)
target_link_libraries(render_pictures PRIVATE Qt6::Gui)
set(TAPIVOX_PICTURES)
foreach(svg ${TAPIVOX_PICTURE_SOURCES})
  get_filename_component(name ${svg} NAME_WE)
  list(APPEND TAPIVOX_PICTURES ${CMAKE_BINARY_DIR}/pictures/${name}.png ${CMAKE_BINARY_DIR}/pictures/${name}@2x.png)
endforeach()
add_custom_command(OUTPUT ${TAPIVOX_PICTURES} ${CMAKE_BINARY_DIR}/pictures/pictures.cpp
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:render_pictures> ${CMAKE_BINARY_DIR}/pictures ${TAPIVOX_PICTURE_SOURCES}
  DEPENDS render_pictures ${TAPIVOX_PICTURE_SOURCES}
  COMMENT "Rendering the pictures")
# One target renders them, so that the library and its resource objects never
# run the command twice at once.
add_custom_target(tapivox_pictures DEPENDS ${TAPIVOX_PICTURES} ${CMAKE_BINARY_DIR}/pictures/pictures.cpp)
qt_add_resources(tapivox_core tapivox_pictures_rcc
  PREFIX "/icons"
  BASE ${CMAKE_BINARY_DIR}/pictures
  FILES ${TAPIVOX_PICTURES}
  OUTPUT_TARGETS TAPIVOX_PICTURE_TARGETS)
add_dependencies(tapivox_core tapivox_pictures)
foreach(target ${TAPIVOX_PICTURE_TARGETS})
  add_dependencies(${target} tapivox_pictures)
endforeach()
target_sources(tapivox_core PRIVATE ${CMAKE_BINARY_DIR}/pictures/pictures.cpp)

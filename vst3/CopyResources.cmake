# Copies the editor's bitmaps into the bundle's resources folder when they exist.
#   cmake -DSOURCE_DIR=<folder with *.png> -DDESTINATION=<bundle>/Contents/Resources -P CopyResources.cmake
file(MAKE_DIRECTORY "${DESTINATION}")
if(IS_DIRECTORY "${SOURCE_DIR}")
  file(GLOB images "${SOURCE_DIR}/*.png")
  if(images)
    file(COPY ${images} DESTINATION "${DESTINATION}")
  endif()
endif()

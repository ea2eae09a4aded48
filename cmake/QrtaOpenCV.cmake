# OpenCV from Debian's per-module development packages (core, imgproc, objdetect, dnn): the meta
# package libopencv-dev, which brings the CMake config, would pull in every module and the
# toolkits of its windows. Never imgcodecs: it brings GDAL and a whole graphics and GIS stack;
# Qt decodes and encodes every image file. Gives the interface target qrta_opencv.
find_path(QRTA_OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
add_library(qrta_opencv INTERFACE)
foreach(module core imgproc objdetect dnn)
    find_library(QRTA_OPENCV_${module} opencv_${module} REQUIRED)
    target_link_libraries(qrta_opencv INTERFACE ${QRTA_OPENCV_${module}})
endforeach()
target_include_directories(qrta_opencv SYSTEM INTERFACE ${QRTA_OPENCV_INCLUDE_DIR})

# The handwritten digits opencv-doc ships: the recogniser learns from them, and the tests and
# the trials read the part it never learned from.
find_file(QRTA_DIGITS_PNG digits.png PATHS /usr/share/doc/opencv-doc/examples/data
    NO_DEFAULT_PATH REQUIRED)

// PngFile: writes a window image as a PNG file (8-bit RGB, stored without compression): the
// demo's screenshot.
#pragma once
#include "WindowImage.h"

#include <string>

class PngFile {
public:
    // False when the image is empty or the file cannot be written.
    static bool Save(const WindowImage& image, const std::string& path);
};

// PngFile: writes a window image as a PNG file (8-bit RGB, deflated with the fixed codes): the
// demo's screenshots.
#pragma once
#include "WindowImage.h"

#include <string>

class PngFile {
public:
    // False when the image is empty or the file cannot be written.
    static bool Save(const WindowImage& image, const std::string& path);
};

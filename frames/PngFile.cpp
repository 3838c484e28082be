// PngFile: libpng's simplified interface.
#include "frames/PngFile.h"

#include <png.h>

#include <cstring>

bool WritePng(const std::string& path, const TImage& image, std::string& error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.Width);
  png.height = static_cast<png_uint_32>(image.Height);
  png.format = image.Channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.Pixels.data(), 0, nullptr)) {
    error = "Cannot write " + path + ": " + png.message;
    return false;
  }
  return true;
}

bool ReadPng(const std::string& path, TImage& image, std::string& error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    error = "Cannot read " + path + ": " + png.message;
    return false;
  }
  png.format = PNG_FORMAT_RGB;
  image = MakeImage(static_cast<int>(png.width), static_cast<int>(png.height), 3);
  if (!png_image_finish_read(&png, nullptr, image.Pixels.data(), 0, nullptr)) {
    error = "Cannot read " + path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

#include "tools/mediagen/JpegOut.h"

#include <jpeglib.h>

#include <cstdlib>
#include <stdexcept>

#include "tools/writers/WriteFile.h"

std::vector<std::uint8_t> EncodeJpeg(const TRgbImage& image, int quality) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  info.dct_method = JDCT_ISLOW;
  for (int c = 0; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&image.Pixels[static_cast<std::size_t>(info.next_scanline) * image.Width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

void WriteJpeg(const std::string& path, const TRgbImage& image, int quality) {
  WriteFileBytes(path, EncodeJpeg(image, quality));
}

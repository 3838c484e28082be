#include "tools/writers/JpgWriter.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

// jpeglib.h needs FILE from <cstdio> first.
#include <jpeglib.h>

#include "tools/writers/WriteFile.h"

std::vector<std::uint8_t> EncodeJpg(int width, int height, const std::vector<std::uint8_t>& pixels,
                                    const TJpgStyle& style) {
  const int components = style.Grey ? 1 : 3;
  if (width < 1 || height < 1 || width > 65500 || height > 65500 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * components)
    throw std::invalid_argument("JPEG size and pixel count do not match");
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&info, &out, &outSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = style.Grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, style.Quality, TRUE);
  info.optimize_coding = style.OptimiseCoding ? TRUE : FALSE;
  info.dct_method = JDCT_ISLOW;
  // The chroma components stay at 1: only the luma's factor sets the ratio.
  if (!style.Grey) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = style.Sampling;
  info.restart_in_rows = style.Restart;
  if (style.Progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(pixels.data()) + info.next_scanline * stride;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> bytes(out, out + outSize);
  std::free(out);
  return bytes;
}

void WriteJpg(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels,
              const TJpgStyle& style) {
  WriteFileBytes(path, EncodeJpg(width, height, pixels, style));
}

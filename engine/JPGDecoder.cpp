// JPGDecoder: libjpeg reports errors by calling back; the callback jumps
// back into DecodeSteps, whose frame holds nothing that needs destroying.
// Warnings are failures too, and stop the decoding at once: libjpeg's
// "carry on" for damaged data paints grey over the rest of the picture.
// The picture grows with the rows decoded, so a header claiming a huge
// size costs memory only as far as the data really goes.
#include "engine/JPGDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE from <cstdio> first.
#include <jpeglib.h>

namespace {
struct TErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level) {
  if (level < 0) ErrorExit(info);  // a warning; trace messages (level >= 0) are ignored
}

void OutputMessage(j_common_ptr) {}  // the caller reports failures itself

// Everything that may jump lives here; `image` and `row` belong to the
// caller, so their state survives a jump.
bool DecodeSteps(jpeg_decompress_struct& info, TErrorManager& errors, const std::uint8_t* data,
                 std::size_t size, TPixelImage& image, std::vector<std::uint8_t>& row) {
  if (setjmp(errors.Jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (!ImageSizeAllowed(info.image_width, info.image_height)) return false;
  info.out_color_space = JCS_RGB;
  info.scale_num = info.scale_denom = 1;
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = TRUE;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;

  const std::size_t width = info.output_width, height = info.output_height;
  const std::size_t rowBytes = width * 4;
  row.resize(width * 3);
  while (info.output_scanline < height) {
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    // Decoded top row first; turned over below.
    const std::size_t at = image.Pixels.size();
    image.Pixels.resize(at + rowBytes);
    std::uint8_t* out = image.Pixels.data() + at;
    for (std::size_t x = 0; x < width; ++x) {
      out[x * 4] = row[x * 3];
      out[x * 4 + 1] = row[x * 3 + 1];
      out[x * 4 + 2] = row[x * 3 + 2];
      out[x * 4 + 3] = 255;
    }
  }
  jpeg_finish_decompress(&info);
  std::uint8_t* pixels = image.Pixels.data();
  for (std::size_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(pixels + top * rowBytes, pixels + (top + 1) * rowBytes, pixels + bottom * rowBytes);
  image.Width = static_cast<std::uint16_t>(width);
  image.Height = static_cast<std::uint16_t>(height);
  image.Channels = 4;
  return true;
}
}  // namespace

bool DecodeJPG(const std::uint8_t* data, std::size_t size, TPixelImage& image) {
  jpeg_decompress_struct info{};
  TErrorManager errors{};
  info.err = jpeg_std_error(&errors.Base);
  errors.Base.error_exit = ErrorExit;
  errors.Base.emit_message = EmitMessage;
  errors.Base.output_message = OutputMessage;
  TPixelImage decoded;
  std::vector<std::uint8_t> row;
  const bool ok = DecodeSteps(info, errors, data, size, decoded, row);
  jpeg_destroy_decompress(&info);
  if (ok) image = std::move(decoded);
  return ok;
}

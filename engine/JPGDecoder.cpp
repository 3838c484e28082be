// JPGDecoder: libjpeg reports errors by calling back; the callback jumps
// back into DecodeSteps, whose frame holds nothing that needs destroying.
// Warnings count as failures too: libjpeg's "carry on" for damaged data
// paints grey over the rest of the picture.
#include "engine/JPGDecoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE from <cstdio> first.
#include <jpeglib.h>

namespace {
struct TErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  bool Warned;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level) {
  if (level < 0) reinterpret_cast<TErrorManager*>(info->err)->Warned = true;
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
  row.resize(width * 3);
  image.Pixels.resize(width * height * 4);
  while (info.output_scanline < height) {
    JSAMPROW rows[1] = {row.data()};
    const std::size_t y = info.output_scanline;
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    std::uint8_t* out = image.Pixels.data() + (height - 1 - y) * width * 4;
    for (std::size_t x = 0; x < width; ++x) {
      out[x * 4] = row[x * 3];
      out[x * 4 + 1] = row[x * 3 + 1];
      out[x * 4 + 2] = row[x * 3 + 2];
      out[x * 4 + 3] = 255;
    }
  }
  jpeg_finish_decompress(&info);
  image.Width = static_cast<std::uint16_t>(width);
  image.Height = static_cast<std::uint16_t>(height);
  image.Channels = 4;
  return !errors.Warned;
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

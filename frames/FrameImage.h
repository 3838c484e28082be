// FrameImage: a picture as plain bytes, read back from the frame the demo
// drew, and resized by area averaging for stills and contact sheets.
// Needs: engine/ImageScale; engine/GLQueries and a current GL context
// (only ReadFrame).
#pragma once
#include <cstdint>
#include <vector>

// Rows top to bottom, Channels bytes per pixel (4: RGBA, 3: RGB).
struct TImage {
  int Width = 0, Height = 0, Channels = 0;
  std::vector<std::uint8_t> Pixels;
};

TImage MakeImage(int width, int height, int channels);

// The current read framebuffer's colour as RGBA, top row first. Leaves the
// GL state the scenes see as it was.
void ReadFrame(int width, int height, TImage& frame);

// GL gives the bottom row first.
void FlipRows(TImage& image);
TImage DropAlpha(const TImage& rgba);
// Each output pixel is the mean of the source area it covers (the engine's
// ScalePixels).
TImage Resize(const TImage& source, int width, int height);
// Copies `tile` into `target` with its top-left corner at x, y (clipped).
void Paste(TImage& target, const TImage& tile, int x, int y);
// Tiles of one size in rows of `columns`, `gap` pixels of black around each.
TImage ComposeGrid(const std::vector<TImage>& tiles, int columns, int gap);

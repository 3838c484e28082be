// ImagePrefetch: JPEG and TGA pictures read and decoded on a worker thread
// while the program starts, so decoding overlaps opening the window and the
// steps before each picture. GL-free. The loaders take a prefetched picture
// in place of reading the file; their messages stay where they were.
// Needs: platform/Files, the JPEG and TGA decoders, std::thread (without
// threads nothing is prefetched: the loaders decode as they always did).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/PixelImage.h"
#include "engine/TGADecoder.h"

enum class TImageKind { JPG, TGA };

// What reading and decoding a prefetched file gave.
struct TPrefetchOutcome {
  bool Read = false;                       // the file's bytes were read
  bool Decoded = false;                    // the decoder made a picture
  TTGAStatus TGA = TTGAStatus::ShortData;  // the TGA decoder's verdict, once read
};

// Starts decoding these files (names as the loaders are given them), in this
// order; names ending ".tga" in any case are TGA, the others JPEG.
void PrefetchImages(const std::vector<std::string>& names);
// For a name prefetched as `kind`: waits for it, moves the picture into
// `image` and says how it went. Nothing for a name not prefetched as that
// kind or already taken.
std::optional<TPrefetchOutcome> TakePrefetchedImage(const std::string& name, TImageKind kind, TPixelImage& image);
// Waits for the worker and drops what was not taken.
void EndPrefetch();

// ImagePrefetch: JPEG pictures read and decoded on a worker thread while the
// program starts, so decoding overlaps opening the window and uploading the
// pictures before them. GL-free. The JPEG loader takes a prefetched picture
// in place of reading the file; its messages stay where they were.
// Needs: platform/Files, the JPEG decoder, std::thread.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/PixelImage.h"

// Starts decoding these files (names as the loaders are given them).
void PrefetchJPGImages(const std::vector<std::string>& names);
// For a prefetched name: waits for it, moves the picture into `image` and
// says whether it decoded. Nothing for a name not prefetched or already taken.
std::optional<bool> TakePrefetchedJPG(const std::string& name, TPixelImage& image);
// Waits for the worker and drops what was not taken.
void EndPrefetch();

// Preview: a small depth-buffered software renderer for the contact sheet,
// so the models are seen as the scenes show them: from the scenes' cameras
// (45-degree perspective, 4:3), with the scenes' turns and scales applied.
#pragma once
#include <functional>
#include <vector>

#include "tools/mediagen/Canvas.h"
#include "tools/mediagen/MediaRead.h"
#include "tools/mediagen/MeshKit.h"

struct TPreviewItem {
  const TReadMesh* Mesh;
  std::function<TVec3(TVec3)> ToWorld;  // file coordinates to the scene's world
  std::uint32_t Colour;
  float Opacity = 1.0f;                 // below 1: blended over what is behind
};

TRgbImage RenderPreview(int width, int height, TVec3 eye, TVec3 centre, std::uint32_t sky,
                        const std::vector<TPreviewItem>& items);

// The scenes turn every model by 270 degrees about x: file z becomes y.
TVec3 SceneTurn(TVec3 v);

// SceneModels: the check a scene makes of a loaded model before drawing its
// meshes by number. A model with fewer meshes than a scene draws is reported
// once at start-up; the scene then leaves out what the missing meshes would
// have drawn and the demo goes on. And the culling of back faces for models
// that enclose a volume.
// Needs: QRN2Brush, QRN2Meshes, QRN2Draw, platform/Message.
#pragma once
#include <cstdint>
#include <string>

class TQRNBrush;

// True when brush holds at least `needed` meshes; otherwise shows "Too few
// meshes in <file>: <needed> needed, <found> found" and returns false.
bool CheckMeshCount(const TQRNBrush& brush, std::int32_t needed, const std::string& fileName);
// True when brush exists and holds mesh `index`.
bool HasMesh(const TQRNBrush* brush, std::int32_t index);

// True when brush holds mesh `index` and that mesh encloses a volume
// (EnclosesVolume): worked out once at start-up, then used to cull.
bool IsSolidMesh(const TQRNBrush* brush, std::int32_t index);

// Culls back faces while it lives, when `solid`: for drawing a mesh that
// IsSolidMesh from outside, where none of its back faces can show.
class TCullBackFaces {
 public:
  explicit TCullBackFaces(bool solid);
  ~TCullBackFaces();
  TCullBackFaces(const TCullBackFaces&) = delete;
  TCullBackFaces& operator=(const TCullBackFaces&) = delete;

 private:
  bool On;
};

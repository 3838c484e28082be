// SceneModels: the check a scene makes of a loaded model before drawing its
// meshes by number. A model with fewer meshes than a scene draws is reported
// once at start-up; the scene then leaves out what the missing meshes would
// have drawn and the demo goes on.
// Needs: QRN2Brush, platform/Message.
#pragma once
#include <cstdint>
#include <string>

class TQRNBrush;

// True when brush holds at least `needed` meshes; otherwise shows "Too few
// meshes in <file>: <needed> needed, <found> found" and returns false.
bool CheckMeshCount(const TQRNBrush& brush, std::int32_t needed, const std::string& fileName);
// True when brush exists and holds mesh `index`.
bool HasMesh(const TQRNBrush* brush, std::int32_t index);

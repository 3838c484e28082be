// SoftwareRenderer: whether a GL renderer's name is one of the software
// rasterizers (Mesa's, and the SwiftShader a browser without a GPU uses).
// Needs: nothing.
#pragma once

// False for nullptr.
bool IsSoftwareRenderer(const char* rendererName);

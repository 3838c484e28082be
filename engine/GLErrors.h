// GLErrors: drains GL's error flags after each frame (or a step the caller
// names) and reports every error once on stderr, by name and place. On in
// debug builds and wherever DEMO_GL_CHECK=1 (the tests set it); otherwise a
// check is one test of a flag and GL is not asked at all.
// Needs: a current GL context while checks are on.
#pragma once
#include <string>

bool GLChecksOn();
void SetGLChecks(bool On);  // overrides the build and the environment

// "GL_INVALID_ENUM" and so on; "GL error 0x...." for a code GL 1.x lacks.
std::string GLErrorName(unsigned Code);

// Reports and counts the errors GL holds, "after <Where>"; returns how many.
// With checks off: 0, and the flags stay as they are.
int CheckGLErrors(const std::string& Where);
// The driver's call at the end of each frame: "after frame N", N counting
// the frames checked since the program began, from 0.
int CheckGLErrorsAfterFrame();

// Every error reported since the program began: a run that has any failed.
long long GLErrorsSeen();

// GlesFunctions: the OpenGL ES 3.0 / WebGL 2 entry points the layer draws
// with, as a table of pointers filled at start-up from the caller's loader
// (SDL_GL_GetProcAddress, eglGetProcAddress, emscripten's get-proc-address).
// The layer defines glEnable, glBegin and the rest itself, so it can never
// call the driver's functions by name: every real GL call goes through here.
// Needs: <GL/gl.h> for the GL types, a current ES 3.0 context when loading.
#pragma once
#include <GL/gl.h>

#include <string>

namespace gl1 {

using TGetProc = void* (*)(const char* name);

// X(return type, name without "gl", parameter list)
#define GL1_GLES_FUNCTIONS(X)                                                                       \
  X(void, AttachShader, (GLuint program, GLuint shader))                                            \
  X(void, BindAttribLocation, (GLuint program, GLuint index, const GLchar* name))                   \
  X(void, BindBuffer, (GLenum target, GLuint buffer))                                               \
  X(void, BindTexture, (GLenum target, GLuint texture))                                             \
  X(void, BindVertexArray, (GLuint array))                                                          \
  X(void, BlendFunc, (GLenum sfactor, GLenum dfactor))                                              \
  X(void, BufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage))             \
  X(void, Clear, (GLbitfield mask))                                                                 \
  X(void, ClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a))                                 \
  X(void, ClearDepthf, (GLfloat depth))                                                             \
  X(void, CompileShader, (GLuint shader))                                                           \
  X(void, CopyTexSubImage2D,                                                                        \
    (GLenum target, GLint level, GLint xoff, GLint yoff, GLint x, GLint y, GLsizei w, GLsizei h))   \
  X(GLuint, CreateProgram, ())                                                                      \
  X(GLuint, CreateShader, (GLenum type))                                                            \
  X(void, DeleteBuffers, (GLsizei n, const GLuint* buffers))                                        \
  X(void, DeleteProgram, (GLuint program))                                                          \
  X(void, DeleteShader, (GLuint shader))                                                            \
  X(void, DeleteTextures, (GLsizei n, const GLuint* textures))                                      \
  X(void, DeleteVertexArrays, (GLsizei n, const GLuint* arrays))                                    \
  X(void, DepthFunc, (GLenum func))                                                                 \
  X(void, Disable, (GLenum cap))                                                                    \
  X(void, DrawArrays, (GLenum mode, GLint first, GLsizei count))                                    \
  X(void, DrawElements, (GLenum mode, GLsizei count, GLenum type, const void* indices))             \
  X(void, Enable, (GLenum cap))                                                                     \
  X(void, EnableVertexAttribArray, (GLuint index))                                                  \
  X(void, Finish, ())                                                                               \
  X(void, Flush, ())                                                                                \
  X(void, GenBuffers, (GLsizei n, GLuint * buffers))                                                \
  X(void, GenTextures, (GLsizei n, GLuint * textures))                                              \
  X(void, GenVertexArrays, (GLsizei n, GLuint * arrays))                                            \
  X(GLenum, GetError, ())                                                                           \
  X(void, GetIntegerv, (GLenum pname, GLint * data))                                                \
  X(void, GetProgramInfoLog, (GLuint program, GLsizei size, GLsizei * length, GLchar * log))        \
  X(void, GetProgramiv, (GLuint program, GLenum pname, GLint * value))                              \
  X(void, GetShaderInfoLog, (GLuint shader, GLsizei size, GLsizei * length, GLchar * log))          \
  X(void, GetShaderiv, (GLuint shader, GLenum pname, GLint * value))                                \
  X(const GLubyte*, GetString, (GLenum name))                                                       \
  X(GLint, GetUniformLocation, (GLuint program, const GLchar* name))                                \
  X(void, LineWidth, (GLfloat width))                                                               \
  X(void, LinkProgram, (GLuint program))                                                            \
  X(void, PixelStorei, (GLenum pname, GLint param))                                                 \
  X(void, ReadPixels,                                                                               \
    (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, void* pixels))             \
  X(void, ShaderSource, (GLuint shader, GLsizei count, const GLchar* const* string, const GLint* length)) \
  X(void, TexImage2D, (GLenum target, GLint level, GLint internalformat, GLsizei w, GLsizei h,      \
                       GLint border, GLenum format, GLenum type, const void* pixels))               \
  X(void, TexParameteri, (GLenum target, GLenum pname, GLint param))                                \
  X(void, Uniform1f, (GLint location, GLfloat v0))                                                  \
  X(void, Uniform1i, (GLint location, GLint v0))                                                    \
  X(void, Uniform2f, (GLint location, GLfloat v0, GLfloat v1))                                      \
  X(void, Uniform2i, (GLint location, GLint v0, GLint v1))                                          \
  X(void, Uniform4fv, (GLint location, GLsizei count, const GLfloat* value))                        \
  X(void, UniformMatrix3fv, (GLint location, GLsizei count, GLboolean transpose, const GLfloat* v)) \
  X(void, UniformMatrix4fv, (GLint location, GLsizei count, GLboolean transpose, const GLfloat* v)) \
  X(void, UseProgram, (GLuint program))                                                             \
  X(void, VertexAttribPointer, (GLuint index, GLint size, GLenum type, GLboolean normalized,        \
                                GLsizei stride, const void* pointer))                               \
  X(void, Viewport, (GLint x, GLint y, GLsizei w, GLsizei h))

struct TGles {
#define GL1_DECLARE(ret, name, params) ret(GLAPIENTRY* name) params = nullptr;
  GL1_GLES_FUNCTIONS(GL1_DECLARE)
#undef GL1_DECLARE
};

// Fills `gles` through `getProc`. False if any entry point is missing; the
// names of the missing ones go to `missing`, separated by spaces.
bool LoadGles(TGles& gles, TGetProc getProc, std::string* missing);

}  // namespace gl1

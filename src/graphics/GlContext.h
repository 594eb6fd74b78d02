#pragma once

namespace Velmora::Graphics {

/// True while an OpenGL window exists, so GL calls have a context to go to. Code that may run
/// without a display (logic tests, tools) checks this before touching GL.
bool HasGlContext();

} // namespace Velmora::Graphics

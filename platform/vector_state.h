#pragma once

namespace platform {

// Clears the upper halves of the processor's 256-bit vector registers.
// Qt's raster fills (backgrounds, text cells) leave them in use; until they are
// cleared, the ordinary SSE code that runs next, the model's maths right after
// a repaint among it, runs several times slower. Does nothing on processors or
// compilers without AVX.
void ClearUpperVectorState();

}  // namespace platform

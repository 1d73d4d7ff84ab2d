#pragma once
// The upper halves of the processor's vector registers.

namespace zt {

// Marks the upper halves of the vector registers unused, where the processor has them. Code
// built for wider vectors (copy routines of the C library, SIMD paths of the drawing library)
// can leave them in use; plain x86-64 arithmetic that runs next then pays a state transition
// penalty on every vector instruction. On the development machine that made a response 20 to 50
// times slower inside the window than on its own. Costs a cycle; a no-op elsewhere.
void ClearUpperVectorState();

}  // namespace zt

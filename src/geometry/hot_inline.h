#pragma once

// For the few small functions of the innermost ray loops (box tests, queue
// steps): inlined whole into their callers, whatever the compiler's own
// weighing, so their values stay in registers.
#if defined(__GNUC__)
#define ZAVO_INLINE [[gnu::always_inline]] inline
#else
#define ZAVO_INLINE inline
#endif

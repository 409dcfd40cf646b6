#pragma once
// Allocation failure on demand for the report tests: the global operator new
// of the reports test program can be told to refuse one large allocation.

#include <cstddef>

namespace orlu::test {

/// The next allocation of at least this many bytes throws std::bad_alloc (0: never).
void FailAllocationFrom(std::size_t bytes);

} // namespace orlu::test

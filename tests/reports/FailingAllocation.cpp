#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t t_FailAllocationFrom = 0;
}

void orlu::test::FailAllocationFrom(std::size_t bytes)
{
    t_FailAllocationFrom = bytes;
}

void* operator new(std::size_t size)
{
    if (t_FailAllocationFrom != 0 && size >= t_FailAllocationFrom) {
        t_FailAllocationFrom = 0;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The replaced new allocates with malloc, so free is its match.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

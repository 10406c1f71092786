// Checked reads of the first and last element of a container in tests: an
// empty container throws, which fails the one test that expected an element
// instead of reading past the end and bringing the whole test binary down.
// (Element n is read with .at(n) for the same reason.)
#ifndef DQOV_TESTS_CHECKED_ACCESS_H
#define DQOV_TESTS_CHECKED_ACCESS_H

#include <stdexcept>

namespace checked {

template <typename C> decltype(auto) First(C&& c)
{
    if (c.empty())
        throw std::out_of_range("the first element of an empty container");
    return c.front();
}

template <typename C> decltype(auto) Last(C&& c)
{
    if (c.empty())
        throw std::out_of_range("the last element of an empty container");
    return c.back();
}

}  // namespace checked

#endif

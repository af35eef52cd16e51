#pragma once

#include <utility>

// Runs a step when the scope ends, however it ends: the windows' way to undo a temporary state also when
// an exception passes.
template <class Step> class Finally
{
public:
    explicit Finally(Step step) : m_step(std::move(step)) {}
    ~Finally() { m_step(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    Step m_step;
};

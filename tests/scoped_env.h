// An environment variable set (or removed) for a scope and given back its
// earlier value when the scope ends, also when an ASSERT leaves the test
// early: a failing test must not hand its setting to the tests after it in
// the same process.
#ifndef DQOV_TESTS_SCOPED_ENV_H
#define DQOV_TESTS_SCOPED_ENV_H

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
public:
    // value nullptr removes the variable for the scope
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_.c_str(), old_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void set(const char* value)
    {
        if (value)
            setenv(name_.c_str(), value, 1);
        else
            unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> old_;
};

#endif

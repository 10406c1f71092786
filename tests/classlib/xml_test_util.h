// Helpers for the document and stylesheet tests.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>

#include "classlib/base/lstrings.h"
#include "support/files.h"
#include "support/scratch.h"

inline std::string u8(const LWString& s)
{
    return s.toUtf8();
}

// A scratch directory removed with its files at the end of the test.
class ScratchDir {
public:
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        testsupport::writeFile(file(name), bytes);
        return file(name);
    }

private:
    testsupport::ScratchDir m_dir{"dqov_classlib"};
    std::string m_path = m_dir.str();
};

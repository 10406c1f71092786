// Helpers for the document and stylesheet tests.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "classlib/base/lstrings.h"

inline std::string u8(const LWString& s)
{
    return s.toUtf8();
}

// A scratch directory removed with its files at the end of the test.
class ScratchDir {
public:
    ScratchDir()
    {
        char tmpl[] = "/tmp/dqov_classlib_XXXXXX";
        m_path = mkdtemp(tmpl);
    }
    ~ScratchDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary);
        out << bytes;
        return file(name);
    }

private:
    std::string m_path;
};

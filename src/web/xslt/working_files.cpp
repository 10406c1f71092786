// The weblet stylesheet working files of the inliner: every stylesheet that
// a generated weblet XSL imports is put into the temporary generation
// directory - a weblet fetched through the weblet loader, "std_types.xsl"
// copied from the weblet design directory - following the imports of every
// fetched stylesheet in turn.  A file already present is never fetched
// again.  Names that would lead out of the directory are refused.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "classlib/base/lexception.h"
#include "classlib/base/qvseam.h"
#include "classlib/base/wide_text.h"
#include "dqov/runcontrol/fatal.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "platform/dqoz/dqoz.h"
#include "web/tsml/tsml_names.h"
#include "web/xslt/weblet_inliner.h"

namespace {

constexpr const char16_t* kStdTypes = u"std_types.xsl";

std::string narrow(const LWString& s)
{
    LCharBuffer b = s.toMultiByte();
    return b.c_str() ? b.c_str() : "";
}

// A name that stays inside the directory: not absolute, no ".." part.
bool staysInside(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':'))
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

struct FileHandle {
    int fd;
    explicit FileHandle(int f) : fd(f) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

// The working folder holds the stylesheets the generation imports: one it
// cannot write would make the TSP stylesheets fail to compile, which is not
// the source's fault. The job ends, undone, with the system's reason.
[[noreturn]] void P3142_WorkingFolderFailure(const std::string& host, int error)
{
    const std::string text = "The web generation cannot write its working files: \"" + host +
                             "\": " + std::strerror(error) + ". Nothing of the job was kept.";
    FFC_Fatal_Error(text.c_str());
}

void collectStylesheetImports(std::set<LWString>& hrefs, LDOMDocument& stylesheet)
{
    stylesheet.setProperty(LDOMProperty_SelectionNamespaces,
                           LWString(u"xmlns:xsl='http://www.w3.org/1999/XSL/Transform'"));
    LDOMNodeList imports = stylesheet.selectNodes(u"/*/xsl:import | /*/xsl:include");
    for (int32_t i = 0; i < imports.getLength(); ++i) {
        LDOMNode href = imports.item(i).getAttributes().getNamedItem(u"href");
        if (href.isNull())
            throw ComError(lcom::E_POINTER_, "libxml2", "An import names no stylesheet (href).");
        hrefs.insert(href.getNodeValue());
    }
}

namespace {

// Writes a working file whole, or ends the job with the reason it cannot.
void writeWorkingFile(const std::string& host, const char* text, size_t length)
{
    FileHandle file(::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.fd < 0)
        P3142_WorkingFolderFailure(host, errno);
    size_t written = 0;
    while (written < length) {
        ssize_t n = ::write(file.fd, text + written, length - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            P3142_WorkingFolderFailure(host, n == 0 ? ENOSPC : errno);
        written += static_cast<size_t>(n);
    }
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0)
        P3142_WorkingFolderFailure(host, errno);
    DosKillPoint("wam-working-file");
}

}  // namespace

void writeToStreamFile(const LWString& fileName, const char* text)
{
    const std::string name = narrow(fileName);
    const std::string host = lqv::hostPath(name.c_str());
    if (host.empty())
        throw WdInlinerException(P3142_FormatWin32Error(static_cast<uint32_t>(EACCES)).c_str());
    writeWorkingFile(host, text, text ? std::strlen(text) : 0);
}

bool WdWebletInliner::ensureWebletXsl(const LWString& fileName)
{
    const std::string name = narrow(fileName);
    if (!staysInside(name)) {
        WdXsltExtensions_trace(this, 0, "Error: Stylesheet %s refused: it would lie outside the generation directory",
                               name.c_str());
        return false;
    }
    const LWString target = m_temporaryDirectory + fileName;
    const std::string host = lqv::hostPath(narrow(target).c_str());
    struct stat st;
    if (!host.empty() && ::stat(host.c_str(), &st) == 0)
        return true;
    if (fileName.compare(kStdTypes) == 0) {
        const std::string source = lqv::hostPath(narrow(m_designDirectory + LWString(kStdTypes)).c_str());
        std::ifstream in(source, std::ios::binary);
        if (host.empty() || source.empty() || !in)
            return false;
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        writeWorkingFile(host, text.data(), text.size());
        return true;
    }
    const std::string weblet = narrow(P3142_WdFindWideSubstring(fileName, u".xsl"));
    std::set<LWString> handled;
    WdWebletSinkContext context{this, &target, &handled};
    WdWebletLoadRequest request{m_tsp.c_str(), m_application.c_str(), weblet.c_str(), m_language.c_str()};
    if (!m_loader || m_loader(&context, &request, &WdWebletInliner::putWebletXslInTempDir) == 0)
        WdXsltExtensions_trace(this, 0, "Error: Failed to put weblet %s into generation temporary directory",
                               weblet.c_str());
    return true;
}

long WdWebletInliner::putWebletXslInTempDir(void* pvContext, long, void* record)
{
    auto* context = static_cast<WdWebletSinkContext*>(pvContext);
    WdWebletInliner* self = context->inliner;
    try {
        const auto* weblet = static_cast<const OSRV_WEBLET_RECORD*>(record);
        writeToStreamFile(*context->targetPath, weblet ? weblet->pszXsl : nullptr);
        const std::string target = narrow(*context->targetPath);
        WdXsltExtensions_trace(self, 3, "Working file %s created", target.c_str());
        LDOMDocument written(false, false);
        try {
            written.load(*context->targetPath);
        } catch (const LDOMException&) {
            return 1;  // a file that does not parse has no imports to follow
        }
        std::set<LWString> imports;
        collectStylesheetImports(imports, written);
        for (const LWString& href : imports)
            if (context->handled->insert(href).second)
                self->ensureWebletXsl(href);
        return 1;
    } catch (const ComError& e) {
        WdXsltExtensions_trace(self, 0, "WdWebletInliner::putWebletXslInTempDir: %s",
                               e.description() ? e.description() : "");
    } catch (const LException& e) {
        WdXsltExtensions_trace(self, 0, "WdWebletInliner::putWebletXslInTempDir: %s", e.message() ? e.message() : "");
    }
    return 0;
}

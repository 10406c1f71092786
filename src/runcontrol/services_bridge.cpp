// Calls into the services library for the run-control modules.
#include "runcontrol/services_bridge.h"

#include <cstdio>
#include <memory>

#include "platform/dqos/dqos.h"

namespace bridge {

namespace {

// Texts the library itself must be able to show even when the repository
// cannot be read (out of storage, SQL failures, plain texts).
struct BuiltInText {
    uint32_t number;
    const char* text;
};
constexpr BuiltInText kBuiltIn[] = {
    {180, "%s"},
    {181, "SQL Error at location %s"},
    {510, "Out of storage"},
};

std::string fill(const std::string& format, const std::string& arg)
{
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            out += arg;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

void runStatement(const char* text)
{
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SQLDA* da = nullptr;
    if (SSQL_DeclareExt(area.get(), text) == SSQL_RC_OK)
        SSQL_sRun(area.get(), &da, 0);
    SSQL_FreeSqlda(da);
}

}  // namespace

std::string ServicesMessageText(uint32_t number, const std::string& arg)
{
    const char* stored = SSQL_fIsConnected() ? SMSG_pszGetMessage(number, 0) : nullptr;
    if (stored)
        return fill(stored, arg);
    for (const auto& b : kBuiltIn)
        if (b.number == number)
            return fill(b.text, arg);
    return "Message " + std::to_string(number) + (arg.empty() ? "" : ": " + arg);
}

void DisplayServicesMessage(uint32_t, const std::string& text)
{
    SMSG_DisplayMessage(text.c_str());
}

bool MessageText(const std::string& file, const std::string& id, const std::string& language, const char* data,
                 size_t len, std::string& text, char& severity)
{
    char out[1024];
    char sev = ' ';
    unsigned short rc = SMSG_sGetMessageText(file.c_str(), id.c_str(), language.c_str(), data ? data : "",
                                             data ? len : 0, out, sizeof out, &sev);
    text = out;
    severity = sev;
    return rc == 0;
}

void RollbackAndDisconnect()
{
    if (!SSQL_fIsConnected())
        return;
    SSQL_SetLocation("FFC_Fatal_Error/ROLLBACK");
    runStatement("ROLLBACK WORK");
    SSQL_SetLocation("FFC_Fatal_Error/DISCONNECT");
    runStatement("DISCONNECT");
    // should the statement have been refused, the connection still ends here
    SSQL_Disconnect();
}

}  // namespace bridge

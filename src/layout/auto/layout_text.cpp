// Double-byte adjustment and display length of layout texts.
#include "layout/auto/layout_text.h"

#include <cstring>
#include <string>

#include "platform/dqos/dqos.h"

namespace layout {

void AdjustText(const FFC_CONTEXT *ctx, char *text, int width, int32_t adjustSwitch)
{
    if (!ctx || ctx->cDoubleByte != 'Y' || !adjustSwitch)
        return;
    std::string copy(text, static_cast<size_t>(width));
    SSNLS_StripBlanks(copy.data(), 1);
    copy.resize(std::strlen(copy.c_str()));
    std::string shifted(static_cast<size_t>(width) * 2 + 2, '\0');
    unsigned short n = SSNLS_CreateAsciiShiftString(copy.c_str(), shifted.data(),
                                                    static_cast<unsigned short>(shifted.size()));
    std::memset(text, ' ', static_cast<size_t>(width));
    std::memcpy(text, shifted.data(), std::min<size_t>(n, static_cast<size_t>(width)));
}

int32_t TextLength(const FFC_CONTEXT *ctx, const char *text, int width, int32_t textsSwitch)
{
    int32_t n = width;
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
        --n;
    if (n < 1 || !ctx || ctx->cDoubleByte != 'Y' || !textsSwitch)
        return n;
    std::string copy(text, static_cast<size_t>(n));
    SSNLS_StripBlanks(copy.data(), 1);
    return SSNLS_usGetEbcdicLength(copy.c_str());
}

}  // namespace layout

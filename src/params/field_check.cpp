/* Field attribute checks of the screen and report layouts: type, length,
 * decimals, keyboard shift and edit code or word of a field, and the
 * attribute codes given for it. */
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"
#include "params/operand_internal.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

using dqov::operand::Fixed;

namespace {

constexpr std::string_view kAlphaShifts = " XANWIDMJEO";
constexpr std::string_view kNumericShifts = " NSYID";
constexpr std::string_view kDoubleByteShifts = "JEO";

/* Edit codes.  1-4 show no sign, A-D a trailing "CR", J-M a trailing
 * minus, N-Q a leading minus; 1, 2, A, B, J, K, N and O separate the
 * thousands.  W and Z show no sign and no separator, Z not even the
 * decimal point; Y edits a whole number as a date. */
constexpr std::string_view kEditCodes = "1234ABCDJKLMNOPQWYZ";
constexpr std::string_view kGroupingCodes = "12ABJKNO";
constexpr std::string_view kTrailingMinusCodes = "JKLM";
constexpr std::string_view kLeadingMinusCodes = "NOPQ";
constexpr std::string_view kCreditCodes = "ABCD";
/* Packed and signed fields hold 1 to 63 digits. */
constexpr int32_t kMaxDigits = 63;

void Queue(FFC_CONTEXT* ctx, const char* queue, const char* id, const std::string& data)
{
    if (ctx && queue)
        P9006_sQueueMessage(ctx, queue, id, static_cast<uint16_t>(data.size()), data.data());
}

bool In(std::string_view set, char c)
{
    return c != 0 && c != ' ' && set.find(c) != std::string_view::npos;
}

/* The edit mask of a numeric field under an edit code: '9' per digit, the
 * thousands separator between groups of three whole digits, the decimal
 * point, and the sign. */
std::string EditMask(char code, int32_t length, int32_t decimals, char point)
{
    if (code == 'Y') {
        /* day, month and year in groups of two from the right; eight digits
         * keep a four-digit year */
        if (length == 8)
            return "99/99/9999";
        std::string m;
        for (int32_t i = 0; i < length; ++i) {
            if (i > 0 && (length - i) % 2 == 0 && length - i <= 4)
                m += '/';
            m += '9';
        }
        return m;
    }
    if (code == 'Z')
        return std::string(static_cast<size_t>(length), '9');
    const char separator = point == ',' ? '.' : ',';
    int32_t whole = std::max<int32_t>(length - decimals, 0);
    std::string m;
    if (In(kLeadingMinusCodes, code))
        m += '-';
    for (int32_t i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0 && In(kGroupingCodes, code))
            m += separator;
        m += '9';
    }
    if (whole == 0)
        m += '0';
    if (decimals > 0) {
        m += point;
        m.append(static_cast<size_t>(decimals), '9');
    }
    if (In(kTrailingMinusCodes, code))
        m += '-';
    else if (In(kCreditCodes, code))
        m += "CR";
    return m;
}

/* An edit word is read from the left: a blank is a digit position, and so
 * is the first '0' or '*' (zero suppression ends there; '*' fills the
 * suppressed positions with asterisks).  The body ends with the field's
 * last digit, so that the blanks padding the word serve as its last digit
 * positions where it ends in them; other characters in the body are shown
 * as they are ('&' as a blank).  After the body only the sign and other
 * constants may follow ("CR", "-", '&' for a blank) before the padding: a
 * blank between them would be a digit position too many.  The mask shows
 * '9' for every digit position.  Answers the number of digit positions
 * found up to the length, or -1 when there are more. */
int32_t EditWordMask(std::string_view word, int32_t length, std::string& mask)
{
    mask.clear();
    int32_t digits = 0;
    bool suppressionEnd = false;
    size_t i = 0;
    for (; i < word.size() && digits < length; ++i) {
        char c = word[i];
        bool digit = c == ' ' || (!suppressionEnd && (c == '0' || c == '*'));
        if (c == '0' || c == '*')
            suppressionEnd = true;
        if (digit) {
            ++digits;
            mask += '9';
        } else {
            mask += c == '&' ? ' ' : c;
        }
    }
    if (digits < length)
        return digits;
    const std::string_view rest =
        word.substr(i, word.find_last_not_of(' ') + 1 > i ? word.find_last_not_of(' ') + 1 - i : 0);
    for (char c : rest) {
        if (c == ' ')
            return -1;
        mask += c == '&' ? ' ' : c;
    }
    return digits;
}

/* The attribute codes known to the layouts, with the types they suit:
 * 'A' alphanumeric fields only, 'N' numeric only, ' ' any. */
struct AttributeCode {
    std::string_view code;
    char suits;
};

constexpr AttributeCode kAttributeCodes[] = {
    {"HI", ' '},   {"RI", ' '},  {"UL", ' '},   {"BL", ' '},   {"ND", ' '},   {"PC", ' '},   {"CS", ' '},
    {"FE", ' '},   {"ME", ' '},  {"MF", ' '},   {"RB", ' '},   {"RZ", 'N'},   {"RL", ' '},   {"AB", ' '},
    {"LC", 'A'},   {"RED", ' '}, {"BLU", ' '},  {"GRN", ' '},  {"WHT", ' '},  {"YLW", ' '},  {"TRQ", ' '},
    {"PNK", ' '},  {"BRN", ' '}, {"ASQN", ' '}, {"SUNS", 'N'}, {"SUNI", 'N'}, {"SBIN", 'N'}, {"FDBC", ' '},
    {"DUPE", ' '}, {"VN", ' '},  {"CHK", ' '},  {"NOCH", ' '},
};

std::string Trim(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return std::string(s);
}

bool TwoDigits(std::string_view s, int lo, int hi, int& number)
{
    if (s.size() != 2 || !std::isdigit(static_cast<unsigned char>(s[0])) ||
        !std::isdigit(static_cast<unsigned char>(s[1])))
        return false;
    number = (s[0] - '0') * 10 + (s[1] - '0');
    return number >= lo && number <= hi;
}

}  // namespace

extern "C" {

char P3100_chTypeClass(char cType)
{
    // the alphanumeric types, told apart without a search of their list
    switch (cType) {
    case '1':
    case '2':
    case '3':
    case '4':
    case 'A':
    case 'B':
    case 'E':
    case 'H':
    case 'M':
    case 'Z': return 'A';
    default: return 'N';
    }
}

int16_t FLDCHK_sCheckFieldAttributes(FFC_CONTEXT* pContext, const char* pchEntry, char cType, char cShift,
                                     int32_t lLength, int32_t lDecimals, char cEditCode, const char* acEditWord,
                                     int32_t* plWidth, char* pchImage, char* pcShift, bool* pfValid, char,
                                     const char* acQueue, char cControl, const char* acSysFlags)
{
    if (!pfValid || !plWidth || !pchImage || !pcShift || !pchEntry)
        return 1;
    *pfValid = true;
    const std::string name = Fixed(std::string_view(pchEntry, 10), 10);
    /* NULs in the fixed fields count as blanks */
    std::string paddedWord = acEditWord ? std::string(acEditWord, 24) : std::string();
    std::replace(paddedWord.begin(), paddedWord.end(), '\0', ' ');
    const std::string editWord = Trim(paddedWord);
    const char editCode = cEditCode == 0 ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(cEditCode)));
    std::string wordMask;
    const bool alpha = cType == 'A', numeric = cType == 'P' || cType == 'S';
    auto refuse = [&](Msg msg, const std::string& data) {
        Queue(pContext, acQueue, dqov::MsgId(msg), data);
        *pfValid = false;
        return int16_t{1};
    };
    char shift = cShift == 0 ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(cShift)));
    if (alpha) {
        if (lLength < 1 || lLength > 256)
            return refuse(Msg::FieldLengthNotValid, name);
        if (lDecimals != 0)
            return refuse(Msg::FieldDecimalsNotValid, name);
        if (editCode != ' ' || !editWord.empty())
            return refuse(Msg::EditOnAlphanumericField, name);
        if (kAlphaShifts.find(shift) == std::string_view::npos)
            return refuse(kNumericShifts.find(shift) != std::string_view::npos ? Msg::NumericShiftOnAlphanumericField
                                                                               : Msg::KeyboardShiftUnknown,
                          std::string(1, shift));
        if (kDoubleByteShifts.find(shift) != std::string_view::npos && pContext && pContext->cDoubleByte != 'Y')
            return refuse(Msg::DoubleByteShiftNotAvailable, std::string(1, shift));
    } else if (numeric) {
        if (lLength < 1 || lLength > kMaxDigits)
            return refuse(Msg::FieldLengthNotValid, name);
        if (lDecimals < 0 || lDecimals > lLength)
            return refuse(Msg::FieldDecimalsNotValid, name);
        if (kNumericShifts.find(shift) == std::string_view::npos)
            return refuse(kAlphaShifts.find(shift) != std::string_view::npos ? Msg::AlphanumericShiftOnNumericField
                                                                             : Msg::KeyboardShiftUnknown,
                          std::string(1, shift));
        if (editCode != ' ' && kEditCodes.find(editCode) == std::string_view::npos)
            return refuse(Msg::EditCodeUnknown, name + editCode);
        if (!editWord.empty() && editCode != ' ')
            return refuse(Msg::EditCodeAndEditWord, name);
        if (editCode == 'Y' && (lDecimals != 0 || lLength < 3 || lLength > 8))
            return refuse(Msg::EditCodeNeedsWholeNumber, name + editCode);
        if (!editWord.empty()) {
            if (EditWordMask(paddedWord, lLength, wordMask) != lLength)
                return refuse(Msg::EditWordDigitCount, name + dqov::operand::Signed7(lLength));
        }
    }
    std::memset(pchImage, ' ', 256);
    int32_t width = lLength;
    if (alpha) {
        if (cControl == 'B')
            width = lLength + 4;
        else if (cControl == 'D')
            width = lLength + 5;
        else if (cControl == 'R' || cControl == 'X') {
            width = 3;
            char mark = acSysFlags ? acSysFlags[cControl == 'R' ? 50 : 51] : ' ';
            pchImage[0] = '<';
            pchImage[1] = mark;
            pchImage[2] = '>';
        }
        if (shift == ' ')
            shift = 'A';
    } else if (numeric) {
        char point =
            pContext && pContext->cDecimalPoint != 0 && pContext->cDecimalPoint != ' ' ? pContext->cDecimalPoint : '.';
        std::string mask = !editWord.empty() ? wordMask : EditMask(editCode, lLength, lDecimals, point);
        if (mask.size() > 256)
            mask.resize(256);
        std::memcpy(pchImage, mask.data(), mask.size());
        width = static_cast<int32_t>(mask.size());
        if (shift == ' ')
            shift = 'Y';
    }
    *plWidth = width;
    *pcShift = shift;
    return 0;
}

int16_t FLDCHK_sCheckNameCharacters(FFC_CONTEXT* pContext, const char* pchEntry, char cType, int16_t sInputCount,
                                    const char* pchInputCodes, int16_t sOutputCount, const char* pchOutputCodes,
                                    bool* pfValid, const char* acQueue, int32_t lLength, char* pcControl,
                                    int16_t* psNumber)
{
    if (!pfValid || !pcControl || !psNumber)
        return 1;
    *pfValid = true;
    *pcControl = 'N';
    *psNumber = 0;
    (void)pchEntry;
    const bool alpha = P3100_chTypeClass(cType) == 'A';
    auto refuse = [&](Msg msg, const std::string& code) {
        Queue(pContext, acQueue, dqov::MsgId(msg), Fixed(code, 4));
        *pfValid = false;
    };
    for (int list = 0; list < 2; ++list) {
        const char* codes = list == 0 ? pchInputCodes : pchOutputCodes;
        int16_t count = std::clamp<int16_t>(list == 0 ? sInputCount : sOutputCount, 0, 10);
        if (!codes)
            continue;
        std::vector<std::string> seen;
        for (int16_t i = 0; i < count; ++i) {
            std::string code = Trim(std::string_view(codes + 4 * i, 4));
            if (code.empty())
                continue;
            if (std::find(seen.begin(), seen.end(), code) != seen.end()) {
                refuse(Msg::AttributeCodeGivenTwice, code);
                continue;
            }
            seen.push_back(code);
            std::string_view head = std::string_view(code).substr(0, 2), tail = std::string_view(code).substr(2);
            int number = 0;
            if (head == "PB" && TwoDigits(tail, 1, 20, number)) {
                if (!alpha || cType != 'A' || lLength >= 61)
                    refuse(Msg::PushButtonNotForField, code);
                else
                    *pcControl = 'B', *psNumber = static_cast<int16_t>(number);
                continue;
            }
            if (head == "RB" && TwoDigits(tail, 1, 99, number)) {
                if (cType != 'A' || lLength != 1)
                    refuse(Msg::RadioButtonNotForField, code);
                else
                    *pcControl = 'R', *psNumber = static_cast<int16_t>(number);
                continue;
            }
            if (head == "DD" && tail.size() == 2 && std::isalnum(static_cast<unsigned char>(tail[0])) &&
                std::isalnum(static_cast<unsigned char>(tail[1]))) {
                if (cType != 'A' || lLength >= 61)
                    refuse(Msg::DropDownNotForField, code);
                else
                    *pcControl = 'D';
                continue;
            }
            if (code == "CBOX") {
                if (cType != 'A' || lLength != 1)
                    refuse(Msg::CheckBoxNotForField, code);
                else
                    *pcControl = 'X';
                continue;
            }
            const AttributeCode* known = nullptr;
            for (const AttributeCode& a : kAttributeCodes)
                if (a.code == code)
                    known = &a;
            if (!known) {
                refuse(Msg::AttributeCodeUnknown, code);
                continue;
            }
            if ((known->suits == 'A' && !alpha) || (known->suits == 'N' && alpha))
                refuse(Msg::AttributeCodeNotForType, code);
        }
    }
    return *pfValid ? 0 : 1;
}

void FLDTXT_DeriveFieldTexts(const char* acName, const FFC_FIELD_TEXT* pReference, FFC_FIELD_TEXT* pText)
{
    auto blank = [](const char* f, size_t n) {
        return std::all_of(f, f + n, [](char c) { return c == ' ' || c == 0; });
    };
    auto fill = [&](char* field, size_t n, const char* from) {
        if (!blank(field, n))
            return;
        if (from && !blank(from, n))
            std::memcpy(field, from, n);
    };
    fill(pText->acDescription, 40, pReference ? pReference->acDescription : nullptr);
    fill(pText->acLabel, 15, pReference ? pReference->acLabel : nullptr);
    for (int i = 0; i < 3; ++i)
        fill(pText->acColumnHeadings[i], 20, pReference ? pReference->acColumnHeadings[i] : nullptr);
    /* nothing given and nothing to refer to: the name stands in */
    const std::string name = Trim(std::string_view(acName, 10));
    bool noHeading = blank(pText->acColumnHeadings[0], 60);
    if (blank(pText->acDescription, 40))
        std::memcpy(pText->acDescription, Fixed(name, 40).data(), 40);
    if (blank(pText->acLabel, 15))
        std::memcpy(pText->acLabel, Fixed(name, 15).data(), 15);
    if (noHeading)
        std::memcpy(pText->acColumnHeadings[0], Fixed(name, 20).data(), 20);
}

}  // extern "C"

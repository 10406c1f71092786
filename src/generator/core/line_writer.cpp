/*
** line_writer.cpp: the generator's line writer, stream table and deferred
** queues.
*/
#include "generator/core/line_writer.h"

#include <cstring>
#include <string>
#include <vector>

#include "generator/core/services.h"

namespace {

std::vector<FILE*>& streamTable()
{
    static std::vector<FILE*> files;
    return files;
}

int32_t currentCondition()
{
    const GEN_SKELETON_STATE& s = P3109_State().skel;
    return s.levels[static_cast<size_t>(s.lDepth)];
}

void reportCutLine(size_t ulLength)
{
    char text[120];
    std::snprintf(text, sizeof text, "ERROR : Generated line of %zu characters cut to %zu characters", ulLength,
                  GEN_LINE_LIMIT);
    P3109_IssueTextMessage('F', text);
}

/* Writes one line to a file stream: the indent's blanks, the text, a blank
** when asked, the macro continuation mark while a macro is written and the
** line end. As with fputs of the whole line, a NUL byte ends what is
** written. The line is put together in a buffer kept between calls. */
void writeFileLine(int fAppendBlank, size_t ulIndent, std::string_view text, GEN_STREAM stream)
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.out.cSuppress == 'Y')
        return;
    if (currentCondition() == 0 && stream != GEN_NO_STREAM &&
        (stream == g.out.mainOutput || stream == g.out.secondSuppressible))
        return;
    FILE* f = P3109_pStreamFile(stream);
    if (!f)
        return;
    static std::string line;
    line.assign(ulIndent, ' ');
    line.append(text);
    if (fAppendBlank)
        line += ' ';
    if (g.out.lMacroContinuation)
        line += '\\';
    line += "\r\n";
    std::fputs(line.c_str(), f);
}

void flushQueue(int iQueue)
{
    GEN_MODULE_STATE& g = P3109_State();
    g.skel.cKeep = 'N';
    P3109_WriteLineQueue(iQueue, g.out.mainOutput);
}

}  // namespace

GEN_STREAM P3109_AddFileStream(FILE* pFile)
{
    if (!pFile)
        return GEN_NO_STREAM;
    std::vector<FILE*>& files = streamTable();
    for (size_t i = 0; i < files.size(); ++i)
        if (!files[i]) {
            files[i] = pFile;
            return static_cast<GEN_STREAM>(GEN_FIRST_FILE_STREAM + i);
        }
    files.push_back(pFile);
    return static_cast<GEN_STREAM>(GEN_FIRST_FILE_STREAM + files.size() - 1);
}

FILE* P3109_pStreamFile(GEN_STREAM stream)
{
    if (stream < GEN_FIRST_FILE_STREAM)
        return nullptr;
    std::vector<FILE*>& files = streamTable();
    size_t i = stream - GEN_FIRST_FILE_STREAM;
    return i < files.size() ? files[i] : nullptr;
}

void P3109_CloseStream(GEN_STREAM& stream)
{
    FILE* f = P3109_pStreamFile(stream);
    if (f) {
        std::fclose(f);
        streamTable()[stream - GEN_FIRST_FILE_STREAM] = nullptr;
    }
    stream = GEN_NO_STREAM;
}

void P3109_CloseAllStreams()
{
    for (FILE*& f : streamTable())
        if (f) {
            std::fclose(f);
            f = nullptr;
        }
}

void P3109_WriteLine(GEN_STREAM stream, int16_t sIndent, std::string_view text)
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.out.cSuppress == 'Y')
        return;
    size_t indent = sIndent > 0 ? static_cast<size_t>(sIndent) : 0;
    if (stream >= 1 && stream <= GEN_QUEUE_COUNT) {
        g.out.queues[stream - 1].push_back({static_cast<uint16_t>(indent), std::string(text)});
        return;
    }
    if (stream == GEN_NO_STREAM)
        return;
    if (indent > GEN_LINE_LIMIT)
        indent = GEN_LINE_LIMIT;
    if (indent + text.size() > GEN_LINE_LIMIT) {
        reportCutLine(indent + text.size());
        text = text.substr(0, GEN_LINE_LIMIT - indent);
    }
    writeFileLine(1, indent, text, stream);
}

void P3109_WriteFileLine(int fAppendBlank, std::string_view text, GEN_STREAM stream)
{
    writeFileLine(fAppendBlank, 0, text, stream);
}

void P3109_Line(std::string_view text)
{
    const GEN_OUTPUT_STATE& o = P3109_State().out;
    P3109_WriteLine(o.current, static_cast<int16_t>(o.usIndent), text);
}

void P3109_WriteLineQueue(int iQueue, GEN_STREAM stream)
{
    if (iQueue < 1 || iQueue > GEN_QUEUE_COUNT)
        return;
    /* a copy: writing to a queue stream while it is replayed must not move it */
    const std::vector<GEN_QUEUED_LINE> lines = P3109_State().out.queues[static_cast<size_t>(iQueue - 1)];
    for (const GEN_QUEUED_LINE& l : lines)
        P3109_WriteLine(stream, static_cast<int16_t>(l.usIndent), l.text);
}

void P3109_WriteDeferredQueue1()
{
    flushQueue(1);
}
void P3109_WriteDeferredQueue2()
{
    flushQueue(2);
}
void P3109_WriteDeferredQueue3()
{
    flushQueue(3);
}
void P3109_WriteDeferredQueue4()
{
    flushQueue(4);
}
void P3109_WriteDeferredQueue5()
{
    flushQueue(5);
}
void P3109_WriteDeferredQueue6()
{
    flushQueue(6);
}

void P3109_ClearQueues()
{
    for (auto& q : P3109_State().out.queues)
        q.clear();
}

void P3109_IndentIn()
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    ++o.sDepth;
    if (o.sDepth < 13)
        o.usIndent = static_cast<uint16_t>(o.usIndent + 3);
}

void P3109_IndentOut()
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    if (o.sDepth < 13 && o.usIndent >= 3)
        o.usIndent = static_cast<uint16_t>(o.usIndent - 3);
    --o.sDepth;
}

void P3109_WriteOpenBrace()
{
    P3109_Line("{");
    P3109_IndentIn();
}

void P3109_WriteCloseBrace()
{
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_WriteComment(std::string_view text)
{
    P3109_Line(" ");
    P3109_Line("/* " + std::string(text) + " */");
    P3109_Line(" ");
}

void P3109_WriteCommentAfterBlank(std::string_view text)
{
    P3109_Line(" ");
    P3109_Line("/* " + std::string(text) + " */");
}

void P3109_WriteCommentBeforeBlank(std::string_view text)
{
    P3109_Line("/* " + std::string(text) + " */");
    P3109_Line(" ");
}

void P3109_WriteDashedBoxComment(GEN_STREAM stream, std::string_view text)
{
    std::string rule = "/* " + std::string(text.size(), '-') + " */";
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 3, rule);
    P3109_WriteLine(stream, 3, "/* " + std::string(text) + " */");
    P3109_WriteLine(stream, 3, rule);
    P3109_WriteLine(stream, 0, " ");
}

void P3109_WriteDoubleBoxComment(GEN_STREAM stream, std::string_view text)
{
    size_t width = text.size() + 6 < 71 ? 71 : text.size() + 6;
    std::string rule = "/* " + std::string(width - 6, '=') + " */";
    std::string body(text);
    body.resize(width - 6, ' ');
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, rule);
    P3109_WriteLine(stream, 0, "/* " + body + " */");
    P3109_WriteLine(stream, 0, rule);
}

void P3109_WriteGenericOdbcIf(GEN_STREAM stream)
{
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, "#if defined(F_USE_GENERIC_ODBC) ");
    P3109_WriteLine(stream, 0, " ");
}

void P3109_WriteGenericOdbcEndif(GEN_STREAM stream)
{
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, "#endif ");
    P3109_WriteLine(stream, 0, " ");
}

void P3109_WriteShortConstant(GEN_STREAM stream, int fStaticForm, std::string_view name, int16_t sValue)
{
    std::string line(79, ' ');
    auto place = [&line](size_t column, std::string_view text) {
        if (column >= line.size())
            return;
        line.replace(column, std::min(text.size(), line.size() - column), text.substr(0, line.size() - column));
    };
    char value[16];
    if (fStaticForm) {
        place(0, "static const X_SHORT");
        place(21, name);
        std::snprintf(value, sizeof value, "= %d;", sValue);
    } else {
        place(0, "#define");
        place(8, name);
        std::snprintf(value, sizeof value, "%d", sValue);
    }
    place(60, value);
    P3109_WriteLine(stream, 0, line);
}

void P3109_WriteDefineLine(GEN_STREAM stream, std::string_view name, std::string_view value)
{
    std::string line(60, ' ');
    line.replace(0, 7, "#define");
    line.replace(8, std::min<size_t>(name.size(), 52), name.substr(0, 52));
    line.resize(60, ' ');
    line.append(value);
    /* the columns are kept; the blanks after the value are not written */
    P3109_WriteLine(stream, 0, P3109_TrimRight(line));
}

void P3109_WritePublicConstInt(GEN_STREAM stream, std::string_view name, int32_t lValue)
{
    P3109_WritePublicConstIntText(stream, name, std::to_string(lValue));
}

void P3109_WritePublicConstIntText(GEN_STREAM stream, std::string_view name, std::string_view value)
{
    P3109_WriteLine(stream, 0, "public const int " + std::string(name) + " = " + std::string(value) + ";");
}

// Small pieces the WAM generation shares: the trace set-up from the system
// definition, system message texts, the names traces print for coded
// values, and the text callbacks of object-server calls.
#pragma once

#include <cstdint>
#include <memory>

#include "classlib/base/lstrings.h"
#include "classlib/base/trace.h"
#include "dqov/runcontrol/ffc_system_definition.h"

// Replaces the holder's writer by a new one, switched on (at the level
// QV_ITRL) when QV_ITRO is set and a trace file is available.  The first
// set-up of a system definition starts the next numbered "d_trace" file of
// root\X_VELMO, writes the settings line into it and keeps its name in the
// system definition; later set-ups write to that file.
void P3142_SetUpTraceWriter(std::unique_ptr<LTraceWriter>& holder, FFC_SYSTEM_DEFINITION* system);

// A trace line through the writer (nothing without one).
void P3142_Trace(LTraceWriter* writer, int32_t level, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The text of system message number, with up to three texts in place of
// its "%s" markers (the first null text ends the list); empty when the
// message does not exist.
LCharBuffer P3142_pszGetMessageText(unsigned long number, const char* text1 = nullptr, const char* text2 = nullptr,
                                    const char* text3 = nullptr);

const char* P3142_pszListModeName(uint32_t value);
const char* P3142_pszFieldModeName(uint32_t value);
const char* P3142_pszInlineOptionName(uint32_t value);
const char* P3142_pszOutputFormatName(uint32_t value);
const char* P3142_pszCompReturnName(long value);

// The result of an object-server call on the job's road: a failure of the
// repository behind the server (OSRV_ERR_REPOSITORY) ends the job, as every
// repository failure does (OSRV_FatalError), so that nothing of it is kept;
// any other result comes back for the caller's own handling.
long P3142_lServerResult(long rc, const char* routine);

// Object-server text callbacks: copy the text (at most 260 characters,
// terminated) into the caller's 261-character buffer, found through the
// first (Word 1) or the third (Word 3) word of the caller's context; a null
// text empties the buffer and answers 0.
template <int Word> long P3142_fCopyPathCallback(void* context, long word, void* text);
extern template long P3142_fCopyPathCallback<1>(void* context, long word, void* text);
extern template long P3142_fCopyPathCallback<3>(void* context, long word, void* text);

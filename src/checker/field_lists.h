/* Field lists with special entries (*ALL, *ALL_REAL, *ALL_VIRT, *INCLUDING,
 * *EXCLUDING and "XG_" field groups) turned into plain field lists, and the
 * field groups of the run. */
#ifndef DQOV_CHECKER_FIELD_LISTS_H
#define DQOV_CHECKER_FIELD_LISTS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/ffc_context.h"

namespace checker {

/* The real and the virtual fields of a file or view (by its physical
** file); false when the name is neither. */
bool FileFieldsOf(const FFC_CONTEXT* ctx, const std::string& file, std::vector<std::string>& real,
                  std::vector<std::string>& virtualFields);

}  // namespace checker

extern "C" {

/* Request letters: 'O' open (start of checking), 'C' close (end), 'G'
 * define the group named acListName from the list, 'X' expand the list.
 * The list: capacity entries of ulNameLength characters, *plCount used; a
 * data part of lDataLength bytes per entry (0: none). acFile is the
 * command's file (10 characters, NULL or blank: none). On false the list is
 * unchanged and pachMsgId (7), pachMsgData (FFC_MESSAGE_TEXT_LEN) and *plMsgLength hold the
 * finding for the caller to issue. True when the request succeeded. */
bool P3136_sExpandFileFieldList(FFC_CONTEXT* pContext, char cRequest, const char* acFile, const char* acListName,
                                int32_t lCapacity, int32_t lNameLength, int32_t* plCount, char* pchNames,
                                int32_t lDataLength, char* pchData, char* pachMsgId, char* pachMsgData,
                                int32_t* plMsgLength, const char* acCommand);
}

namespace checker {

/* The values written after the names of the current command's field list
 * (FIELDS((#ORDQTY *L3 *HI))): each must be a field keyword, a display
 * attribute, a position or a condition of the function; another value is
 * refused (PRC1195) rather than dropped from the layout. */
void CheckFieldListValues();

}  // namespace checker

#endif

/*
** field_values.h: statements that move a field's value into or out of a C
** variable of another type, the special values a field can be given, the
** loading of an operand's current value, and the move of one field to
** another.
**
** Every writer writes to the current output stream at the current indent.
** A value writer reaches a field directly through its storage when the
** type allows it, else through the runtime's vector services ("X_Vec_") or,
** for a component's field, its component services ("X_Comp_").
*/
#ifndef GENERATOR_CORE_FIELD_VALUES_H
#define GENERATOR_CORE_FIELD_VALUES_H

#include <cstdint>
#include <string_view>

#include "generator/core/model/field_info.h"

/* ---- value conversions ---- */
void P3109_WriteGetShortFromPacked(const GEN_FIELD_INFO& field, std::string_view variable);
void P3109_WriteGetLongFromPacked(const GEN_FIELD_INFO& field, std::string_view variable);
void P3109_WriteStoreLongInPacked(const GEN_FIELD_INFO& field, std::string_view value);
void P3109_WriteStoreShortInPacked(const GEN_FIELD_INFO& field, std::string_view value);
void P3109_WriteGetDouble(const GEN_FIELD_INFO& field, std::string_view variable);
void P3109_WriteSetFromDouble(const GEN_FIELD_INFO& field, std::string_view value);
void P3109_WriteSetFromVchar(const GEN_FIELD_INFO& field, std::string_view value);
/* A string into the field; cKind: the kind letter of the string the run
** time is given. */
void P3109_WriteSetFromString(const GEN_FIELD_INFO& field, char cKind, std::string_view value);
void P3109_WriteGetAsVchar(const GEN_FIELD_INFO& field, std::string_view buffer);

/* ---- special values ---- */
/* *BLANK, *BLANKS, *ZERO, *ZEROS and *ZEROES. */
void P3109_WriteSetToBlankOrZero(const GEN_FIELD_INFO& field);
void P3109_WriteSetToHival(const GEN_FIELD_INFO& field);
void P3109_WriteSetToLoval(const GEN_FIELD_INFO& field);
void P3109_WriteSetToAllSame(const GEN_FIELD_INFO& field, char cFill);
void P3109_WriteSetToAlphaLiteral(const GEN_FIELD_INFO& field, std::string_view literal, uint16_t usLength);
/* Loads the operand's current value into its vector entry: a special value
** named as operand, a multilingual variable, a system variable or a
** condition result, as the operand's refresh class and the refresh classes
** asked for allow. */
enum GEN_REFRESH_CLASSES { GEN_REFRESH_STATIC = 1, GEN_REFRESH_DYNAMIC = 2 };
void P3109_WriteSetToSpecialValue(const GEN_FIELD_INFO& operand, int refreshClasses);

/* ---- moves ---- */
void P3109_WriteFieldMove(const GEN_FIELD_INFO& source, const GEN_FIELD_INFO& target);

#endif

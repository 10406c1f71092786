/*
** generator_identity.h: the generator's own identification, as every
** generated module carries it in its identification table and in the
** version resource of its resource script. Fixed texts: a generated module
** must be the same whenever the same object is generated.
*/
#ifndef GENERATOR_CORE_GENERATOR_IDENTITY_H
#define GENERATOR_CORE_GENERATOR_IDENTITY_H

#include "dqov/runcontrol/valid.h"

inline constexpr long GEN_BUILD_NUMBER = DQOV_BUILD_NUMBER;
inline constexpr const char GEN_BUILD_NUMBER_TEXT[] = "1";
inline constexpr const char GEN_COMPANY_NAME[] = "VELMO Development Environment";
inline constexpr const char GEN_VERSION_LABEL[] = "dqov 1.0.0";
inline constexpr const char GEN_PRODUCT_VERSION_LABEL[] = "VELMO 1.0";
inline constexpr const char GEN_COPYRIGHT[] = "Copyright 2026 the VELMO Development Environment";
inline constexpr const char GEN_COPYRIGHT_YEARS[] = "2026";
inline constexpr const char GEN_BUILD_DATE[] = "2026-12-06";
inline constexpr const char GEN_FIX_PACK[] = "0";

static_assert(GEN_BUILD_NUMBER == 1, "GEN_BUILD_NUMBER_TEXT spells the build number");

#endif

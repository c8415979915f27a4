#pragma once

#include <memory>

#include "framework/core/List.h"
#include "framework/core/Variant.h"
#include "framework/text/Text.h"

namespace valtaro {

using ParameterList = std::shared_ptr<fw::List<fw::Variant>>;

// The two scripts through which the program reaches the finance application.
inline constexpr std::int32_t kBookingScript = 168;
inline constexpr std::int32_t kAccountNameScript = 169;

// Hands one booking to the finance application: one run of the booking script, with the list's
// elements as its parameters. A list that is none raises NilObjectException.
void buchungViaRB3(const ParameterList& parameter);

// The account names of the open account book, joined by ", ", exactly as the account-name script
// answers; empty when the finance application is not ready.
fw::Text Kontennamenermitteln(const ParameterList& parameter);

}  // namespace valtaro

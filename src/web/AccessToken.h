// The token a dashboard reachable from other machines asks of every request: in the header
// "Authorization: Bearer TOKEN" or "X-Vigil-Token", in the query "token=", or in the cookie a
// page opened with the query token leaves so that its links and plots need not carry it.
#pragma once

#include <string>
#include <string_view>

namespace vigil::web {

inline constexpr const char* kTokenCookie = "vigil_token";

/// Compared in time independent of where the texts differ.
bool SameToken(std::string_view given, std::string_view expected);

/// The value of cookie `name` in a Cookie header; empty when it is not there.
std::string CookieValue(std::string_view header, std::string_view name);

}  // namespace vigil::web

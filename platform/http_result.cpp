#include "platform/http.h"

#include "platform/decimal_text.h"

namespace platform {

std::wstring describe(const HttpResult& result) {
    const auto withError = [&](const wchar_t* what) {
        return std::wstring(what) + L" (error " + decimalText(result.error) + L")";
    };
    const auto afterBytes = [&](const wchar_t* what) {
        return std::wstring(what) + L" after " + decimalText(result.received) + L" bytes";
    };
    switch (result.failure) {
    case HttpFailure::none:
        return L"ok, status " + decimalText(result.status) + L", " + decimalText(result.received) +
               L" bytes";
    case HttpFailure::badUrl:
        return withError(L"bad URL");
    case HttpFailure::unreachable:
        return withError(L"unreachable");
    case HttpFailure::timedOut:
        return withError(L"timed out");
    case HttpFailure::tooSlow:
        return afterBytes(L"too slow");
    case HttpFailure::broken:
        return withError(L"connection broken");
    case HttpFailure::insecure:
        return withError(L"no secure connection");
    case HttpFailure::badRedirect:
        return withError(L"redirect refused");
    case HttpFailure::badStatus:
        return L"bad status " + decimalText(result.status);
    case HttpFailure::lengthUnknown:
        return L"no Content-Length";
    case HttpFailure::badFraming:
        return L"body framed in a way that cannot be checked";
    case HttpFailure::shortBody:
        return afterBytes(L"body cut short");
    case HttpFailure::tooLarge:
        return afterBytes(L"body too large");
    case HttpFailure::notStored:
        return withError(L"body not stored");
    }
    return L"unknown failure";
}

} // namespace platform

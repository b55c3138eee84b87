// Scripted HTTP for unit tests: the headless HttpClient answers each URL with
// what the test put here, and records every URL it was asked for.
#pragma once

#include "platform/http.h"

#include <string>
#include <vector>

namespace platform::headless {

void resetHttp();

// Answers every later request of this exact URL with status 200 and these bytes.
void serveBody(const std::wstring& url, std::string body);
// Answers every later request of this exact URL with this result. A streamed
// request with status 200 gets the result's body, then its failure if any.
void serveResult(const std::wstring& url, HttpResult result);
// A URL that nothing was scripted for gets a 404.

// Every URL requested since the last reset, in order (peeks not included).
const std::vector<std::wstring>& requestedUrls();

// What a request of this URL gets: the scripted result, or a 404.
HttpResult scriptedAnswer(const std::wstring& url);

// ---- Peeks (platform/http_peeks.h): each runs until the test ends it.
// The URLs of the peeks that run, in the order they started.
std::vector<std::wstring> runningPeeks();
// Every peek started since the last reset, in order.
const std::vector<std::wstring>& peekedUrls();
// Ends the earliest running peek of this URL with its scripted answer, the body
// cut to the peek's limit, and raises onEnded. False when no such peek runs.
bool endPeek(const std::wstring& url);

} // namespace platform::headless

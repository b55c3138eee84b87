// snipfetch against a hostile server: each press of Get List or Download is
// answered from a seed of its own by a random mix of good and broken answers
// (hostile_answers.py). Whatever comes, the press ends in time with the program
// up; it ends in the Error unless its answer was a whole body; nothing is
// written outside Sniplets, no temporary file stays, and an older copy is
// replaced only by a whole body.
// Replay one press: HOSTILE_SEED=<the seed it printed> HOSTILE_PRESSES=1, in the
// environment of ctest (-R hostile); an odd count of presses does Get List last.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

unsigned fromEnvironment(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// What the client may make of a press's answers: take the body (redirects, 10 at
// most, to a whole body), refuse it, or either (a body with bytes beyond its length).
enum class Allowed { take, refuse, either };

Allowed allowedFor(const std::vector<std::string>& verdicts) {
    if (verdicts.empty() || verdicts.size() > 11 ||
        !std::all_of(verdicts.begin(), verdicts.end() - 1,
                     [](const std::string& verdict) { return verdict == "redirect"; })) {
        return Allowed::refuse;
    }
    return verdicts.back() == "whole"     ? Allowed::take
           : verdicts.back() == "surplus" ? Allowed::either
                                          : Allowed::refuse;
}

std::string describe(unsigned seed, const std::vector<std::string>& verdicts) {
    std::string text = "seed " + std::to_string(seed) + ", answers:";
    for (const auto& verdict : verdicts) {
        text += " " + verdict;
    }
    return text;
}

// The text of the message the press ended in, answered; nothing when it showed none.
std::optional<std::wstring> endOfPress(SnipfetchRun& window) {
    const auto windows = topLevelWindows(window.processId());
    if (std::none_of(windows.begin(), windows.end(),
                     [](HWND shown) { return className(shown) == L"#32770"; })) {
        return std::nullopt;
    }
    const auto box = waitForMessageBox(window.processId());
    answer(box, button::ok);
    return box.text;
}

struct Press {
    unsigned seed;
    bool download; // else Get List
};

struct Tally {
    unsigned taken = 0, refused = 0, failed = 0;
};

// One press against the hostile site, counted in the tally.
void pressOnce(SnipletSite& site, SnipfetchRun& window, const Press& press,
               const std::vector<std::wstring>& folderBefore, Tally& tally) {
    const std::wstring name = press.download ? L"a.snp" : L"Sniplets.txt";
    const std::string older = "older copy before seed " + std::to_string(press.seed);
    if (press.download) {
        window.placeSniplet(name, older);
    }
    site.hostile(name, press.seed);
    press.download ? window.download() : window.getList();
    const auto message = endOfPress(window);
    const auto verdicts = site.hostileVerdicts(press.seed);
    const auto allowed = allowedFor(verdicts);
    const bool refused = message == (press.download ? text::downloadError : text::listError);
    const auto where = describe(press.seed, verdicts);

    bool held = check(IsWindow(window.window()) != FALSE, where + ": the program is up");
    if (allowed != Allowed::either) {
        held &= check(refused == (allowed == Allowed::refuse),
                      where + (refused ? ": a whole body is taken" : ": the Error follows"));
    }
    held &= check(folderEntries(window.folder()) == folderBefore,
                  where + ": nothing beside the Sniplets folder");
    if (press.download) {
        held &= check(folderEntries(window.sniplets()) == std::vector<std::wstring>{name},
                      where + ": no temporary file, nothing but the sniplet");
        const auto stored = readFileBytes(window.sniplet(name));
        held &= check(stored == (refused ? older : site.keptBody(name)),
                      where + (refused ? ": the older copy stays" : ": the whole body is stored"));
    }
    site.clearMarkers(name);
    ++(refused ? tally.refused : tally.taken);
    tally.failed += held ? 0 : 1;
}

E2E_CASE(hostile, random_answers) {
    const unsigned firstSeed = fromEnvironment("HOSTILE_SEED", 1);
    const unsigned presses = fromEnvironment("HOSTILE_PRESSES", 200);
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp\r\n");
    site.serve(L"a.snp", "a sniplet\r\nof two lines\r\n");
    SnipfetchRun window;
    window.getList();
    window.checkRows({L"a.snp", L"b.snp"});
    window.clickCheckBox(0);
    window.placeSniplet(L"a.snp", "");
    const auto folderBefore = folderEntries(window.folder());

    // Download leaves the rows alone, Get List may change them: Downloads first.
    Tally tally;
    for (unsigned i = 0; i < presses; ++i) {
        pressOnce(site, window, Press{firstSeed + i, i < presses / 2}, folderBefore, tally);
    }
    note(std::to_string(presses) + " presses from seed " + std::to_string(firstSeed) + ": " +
         std::to_string(tally.taken) + " taken, " + std::to_string(tally.refused) + " refused, " +
         std::to_string(tally.failed) + " failed a check");
    window.close();
}

} // namespace

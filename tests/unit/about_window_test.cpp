// The About window: where it appears, how it closes, and how System
// Information is found and started.
#include "platform/headless/headless.h"
#include "platform/headless/process_fake.h"
#include "platform/headless/registry_fake.h"
#include "snipforge/about_window.h"
#include "snipforge/main_window.h"

#include <gtest/gtest.h>

namespace snipforge {
namespace {

namespace headless = platform::headless;
namespace fake = platform::headless::registry;
namespace reg = platform::registry;

const std::wstring msinfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring locationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
const std::wstring unavailable = L"System Information Is Unavailable At This Time";

struct Placement {
    int left = 0;
    int top = 0;
};

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override { headless::reset(); }
    void TearDown() override {
        EXPECT_EQ(fake::keysLeftOpen(), 0) << "a registry key was left open";
    }
};

// ---- Placement and closing

TEST_F(AboutWindowTest, EachShowingCentresTheWindowOnTheWholeScreen) {
    // 1280 x 1024 pixels; the outer frame adds 90 x 390 twips to 5730 x 2895.
    headless::setScreenSize(19200, 15360);
    headless::setFrameExtra(90, 390);
    AboutWindow about;
    std::vector<Placement> seen;
    headless::setModalScript([&](platform::Form& form) {
        seen.push_back({form.left(), form.top()});
        form.move(0, 0); // wherever the user leaves it
    });
    about.showModal();
    about.showModal();
    ASSERT_EQ(seen.size(), 2u);
    for (const auto& placement : seen) {
        EXPECT_EQ(placement.left, 6690); // (19200 - 5820) / 2
        EXPECT_EQ(placement.top, 6038);  // (15360 - 3285) / 2 = 6037.5, half rounds up
    }
}

TEST_F(AboutWindowTest, AWindowLargerThanTheScreenGetsANegativePosition) {
    headless::setScreenSize(3000, 2000);
    headless::setFrameExtra(90, 390);
    AboutWindow about;
    about.load();
    EXPECT_EQ(about.left(), -1410); // (3000 - 5820) / 2
    EXPECT_EQ(about.top(), -643);   // (2000 - 3285) / 2 = -642.5, half away from zero
    about.unload();
}

TEST_F(AboutWindowTest, OkUnloadsTheWindowAndTheNextShowingStartsAfresh) {
    AboutWindow about;
    int showings = 0;
    headless::setModalScript([&](platform::Form& form) {
        ++showings;
        EXPECT_TRUE(headless::isModal(form));
        form.commandButton(L"cmdOK").userClicked();
        EXPECT_FALSE(headless::isVisible(form)) << "the window is gone at once";
    });
    about.showModal();
    EXPECT_FALSE(about.loaded());
    about.showModal();
    EXPECT_EQ(showings, 2);
}

TEST_F(AboutWindowTest, TheMainWindowMakesOneAboutWindowAndShowsItModallyEachTime) {
    MainWindow main;
    main.load();
    std::vector<platform::Form*> shown;
    headless::setModalScript([&](platform::Form& form) {
        EXPECT_EQ(form.design().caption, L"About...");
        EXPECT_TRUE(headless::isModal(form));
        shown.push_back(&form);
        form.userClosed(); // the close box
    });
    main.commandButton(L"Command3").userClicked();
    main.commandButton(L"Command3").userClicked();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_TRUE(main.loaded());
    main.unload();
}

// ---- System Information

class SysInfo : public AboutWindowTest {
protected:
    void SetUp() override {
        AboutWindowTest::SetUp();
        about.load();
    }
    void TearDown() override {
        // Whatever happened, the About window is still open.
        EXPECT_TRUE(about.loaded());
        about.unload();
        AboutWindowTest::TearDown();
    }

    void press() { about.commandButton(L"cmdSysInfo").userClicked(); }

    std::vector<std::wstring> started() const {
        std::vector<std::wstring> paths;
        for (const auto& request : headless::startRequests()) {
            if (request.error == 0) {
                paths.push_back(request.path);
            }
        }
        return paths;
    }

    void expectUnavailable() const {
        ASSERT_EQ(headless::messages().size(), 1u);
        EXPECT_EQ(headless::messages()[0].text, unavailable);
        EXPECT_EQ(headless::messages()[0].style, 0);
        EXPECT_EQ(headless::messages()[0].title, L"snipforge");
    }

    AboutWindow about;
};

TEST_F(SysInfo, TheRegisteredPathIsStartedAsItStandsBeforeTheLocationIsLookedAt) {
    const std::wstring path = L"C:\\Program Files\\Common Files\\System Info\\msinfo32.exe";
    headless::addFile(path, "MZ");
    fake::setText(reg::localMachine, msinfoKey, L"PATH",
                  "C:\\Program Files\\Common Files\\System Info\\msinfo32.exe");
    fake::setText(reg::localMachine, locationKey, L"MSINFO", "C:\\Elsewhere");
    headless::addFile(L"C:\\Elsewhere\\MSINFO32.EXE", "MZ");
    press();
    EXPECT_EQ(started(), std::vector<std::wstring>{path});
    EXPECT_TRUE(headless::messages().empty());
    ASSERT_EQ(fake::openRequests().size(), 1u);
}

TEST_F(SysInfo, ARegisteredPathThatCannotBeStartedGivesTheMessageWithoutTryingTheLocation) {
    fake::setText(reg::localMachine, msinfoKey, L"PATH", "C:\\Missing\\msinfo32.exe");
    fake::setText(reg::localMachine, locationKey, L"MSINFO", "C:\\Tools");
    headless::addFile(L"C:\\Tools\\MSINFO32.EXE", "MZ");
    press();
    // Started without a test of its own that the file is there: the start fails.
    ASSERT_EQ(headless::startRequests().size(), 1u);
    EXPECT_EQ(headless::startRequests()[0].path, L"C:\\Missing\\msinfo32.exe");
    EXPECT_TRUE(started().empty());
    expectUnavailable();
}

TEST_F(SysInfo, TheLocationFolderIsUsedOnlyWhenItHoldsTheProgramAsAnOrdinaryFile) {
    fake::setText(reg::localMachine, locationKey, L"MSINFO", "C:\\Tools\\Sys Info");
    headless::addFolder(L"C:\\Tools\\Sys Info");
    press();
    EXPECT_TRUE(started().empty());
    EXPECT_TRUE(headless::startRequests().empty());
    expectUnavailable();

    headless::addFile(L"C:\\Tools\\Sys Info\\MSINFO32.EXE", "MZ", headless::attr::hidden);
    press();
    EXPECT_TRUE(headless::startRequests().empty()) << "a hidden file is not an ordinary one";

    headless::addFile(L"C:\\Tools\\Sys Info\\Msinfo32.exe", "MZ", headless::attr::readOnly);
    press();
    EXPECT_EQ(started(), std::vector<std::wstring>{L"C:\\Tools\\Sys Info\\MSINFO32.EXE"});
    EXPECT_EQ(headless::messages().size(), 2u) << "no message for the start that worked";
}

TEST_F(SysInfo, TheProgramNameIsAppendedToTheFolderVerbatim) {
    fake::setText(reg::localMachine, locationKey, L"MSINFO", "C:\\Tools\\");
    headless::addFile(L"C:\\Tools\\MSINFO32.EXE", "MZ");
    press();
    EXPECT_EQ(started(), std::vector<std::wstring>{L"C:\\Tools\\\\MSINFO32.EXE"});
    EXPECT_TRUE(headless::messages().empty());
}

TEST_F(SysInfo, NeitherEntryGivesTheMessageAndStartsNothing) {
    press();
    EXPECT_TRUE(headless::startRequests().empty());
    expectUnavailable();
    // Both lookups were made, each for reading only.
    ASSERT_EQ(fake::openRequests().size(), 2u);
    for (const auto& request : fake::openRequests()) {
        EXPECT_EQ(request.access, reg::keyRead);
    }
}

TEST_F(SysInfo, AnEmptyFolderNeverLeadsToTheRootOfTheCurrentDrive) {
    // Wherever an empty folder might be taken to be, the program is there.
    headless::addFile(L"C:\\MSINFO32.EXE", "MZ");
    headless::setCurrentDirectory(L"C:\\Work");
    headless::addFile(L"C:\\Work\\MSINFO32.EXE", "MZ");
    fake::setText(reg::localMachine, locationKey, L"MSINFO", "");
    press();
    EXPECT_TRUE(headless::startRequests().empty());
    expectUnavailable();
}

TEST_F(SysInfo, AnUnusablePathValueFallsBackToTheLocation) {
    // A value of an unexpected type is no path: the folder entry is tried next.
    fake::setValue(reg::localMachine, msinfoKey, L"PATH", reg::valueType::binary, "C:\\x");
    fake::setText(reg::localMachine, locationKey, L"MSINFO", "C:\\Tools");
    headless::addFile(L"C:\\Tools\\MSINFO32.EXE", "MZ");
    press();
    EXPECT_EQ(started(), std::vector<std::wstring>{L"C:\\Tools\\MSINFO32.EXE"});
}

TEST_F(SysInfo, AnExpandablePathIsStartedWithItsReferencesExpanded) {
    fake::setEnvironmentVariable(L"CommonProgramFiles", L"C:\\Program Files\\Common Files");
    fake::setValue(reg::localMachine, msinfoKey, L"PATH", reg::valueType::expandableText,
                   std::string("%CommonProgramFiles%\\Sys Info\\msinfo32.exe") + '\0');
    headless::addFile(L"C:\\Program Files\\Common Files\\Sys Info\\msinfo32.exe", "MZ");
    press();
    EXPECT_EQ(started(), std::vector<std::wstring>{
                             L"C:\\Program Files\\Common Files\\Sys Info\\msinfo32.exe"});
    EXPECT_TRUE(headless::messages().empty());
}

TEST_F(SysInfo, AKeyWithoutWriteRightsIsStillRead) {
    fake::setText(reg::localMachine, msinfoKey, L"PATH", "C:\\SysInfo\\msinfo32.exe");
    fake::makeReadOnly(reg::localMachine, msinfoKey);
    headless::addFile(L"C:\\SysInfo\\msinfo32.exe", "MZ");
    press();
    EXPECT_EQ(started(), std::vector<std::wstring>{L"C:\\SysInfo\\msinfo32.exe"});
}

TEST_F(SysInfo, ARegistryThatCannotBeReadOrAFailedStartEndsInTheOneMessage) {
    fake::setText(reg::localMachine, msinfoKey, L"PATH", "C:\\SysInfo\\msinfo32.exe");
    headless::addFile(L"C:\\SysInfo\\msinfo32.exe", "MZ");
    headless::failNextStart(5);
    press();
    expectUnavailable();

    fake::makeUnbound("RegOpenKeyExA");
    press();
    EXPECT_EQ(headless::startRequests().size(), 1u) << "only the start that failed";
    EXPECT_EQ(headless::messages().size(), 2u);
    EXPECT_EQ(headless::messages()[1].text, unavailable);
}

} // namespace
} // namespace snipforge

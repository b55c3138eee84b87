// GetKeyValue over the headless registry: what counts as a value, and how its
// bytes become text.
#include "platform/headless/headless.h"
#include "platform/headless/registry_fake.h"
#include "snipforge/about_window.h"

#include <gtest/gtest.h>

namespace snipforge {
namespace {

namespace fake = platform::headless::registry;
namespace reg = platform::registry;

const std::wstring keyName = L"SOFTWARE\\Test\\Values";
constexpr reg::Key root = reg::localMachine;

class GetKeyValue : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::reset(); }
    void TearDown() override { EXPECT_EQ(fake::keysLeftOpen(), 0) << "a key was left open"; }

    // Reads "v" from the test key; KeyVal starts with stale text so a test sees
    // whether it was replaced or emptied.
    bool read(std::wstring& value, const std::wstring& valueName = L"v") {
        value = L"stale";
        return AboutWindow::GetKeyValue(root, keyName, valueName, value);
    }
};

TEST_F(GetKeyValue, TextLosesItsTerminatingNulAndIsReadThroughTheAnsiCodePage) {
    fake::setText(root, keyName, L"v", "C:\\Program Files\\Caf\xE9\\x.exe");
    std::wstring value;
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"C:\\Program Files\\Caf\u00E9\\x.exe");
    // Key and value names are matched without regard to letter case.
    EXPECT_TRUE(AboutWindow::GetKeyValue(root, L"software\\TEST\\values", L"V", value));
    EXPECT_EQ(value, L"C:\\Program Files\\Caf\u00E9\\x.exe");
}

TEST_F(GetKeyValue, TheTerminatingNulRuleAtTheEdgesOfTheBuffer) {
    std::wstring value;
    // 1023 characters and the NUL fill the 1024-byte buffer exactly.
    fake::setText(root, keyName, L"v", std::string(1023, 'a'));
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, std::wstring(1023, L'a'));

    // One byte more does not fit: absent.
    fake::setText(root, keyName, L"v", std::string(1024, 'b'));
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, L"");

    // 1024 bytes without a NUL fit and are read whole.
    fake::setValue(root, keyName, L"v", reg::valueType::text, std::string(1024, 'c'));
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, std::wstring(1024, L'c'));

    // Text stored without its NUL keeps its last character.
    fake::setValue(root, keyName, L"v", reg::valueType::text, "abc");
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"abc");

    // Only the last byte is looked at: a NUL inside the text stays.
    fake::setValue(root, keyName, L"v", reg::valueType::text, std::string("ab\0\0", 4));
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, std::wstring(L"ab\0", 3));
}

TEST_F(GetKeyValue, ValuesWithoutUsableDataCountAsAbsent) {
    std::wstring value;
    EXPECT_FALSE(read(value)) << "no key";
    EXPECT_EQ(value, L"");

    fake::addKey(root, keyName);
    EXPECT_FALSE(read(value)) << "no value";
    EXPECT_EQ(value, L"");

    fake::setValue(root, keyName, L"v", reg::valueType::text, "");
    EXPECT_FALSE(read(value)) << "zero bytes of data";
    EXPECT_EQ(value, L"");

    fake::setValue(root, keyName, L"v", reg::valueType::binary, std::string("C:\\x\0", 5));
    EXPECT_FALSE(read(value)) << "REG_BINARY";
    EXPECT_EQ(value, L"");

    fake::setValue(root, keyName, L"v", reg::valueType::multiText, std::string("C:\\x\0\0", 6));
    EXPECT_FALSE(read(value)) << "REG_MULTI_SZ";
    EXPECT_EQ(value, L"");
}

TEST_F(GetKeyValue, AnEmptyTextIsReadAsEmpty) {
    fake::setText(root, keyName, L"v", "");
    std::wstring value;
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"");
}

TEST_F(GetKeyValue, ExpandableTextHasItsEnvironmentReferencesExpanded) {
    fake::setEnvironmentVariable(L"ProgramFiles", L"C:\\Program Files");
    fake::setValue(root, keyName, L"v", reg::valueType::expandableText,
                   std::string("%programfiles%\\Tools\\%UNSET%\\a.exe") + '\0');
    std::wstring value;
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"C:\\Program Files\\Tools\\%UNSET%\\a.exe");
}

TEST_F(GetKeyValue, DwordReadsAsHexadecimalFromTheLastByteToTheFirst) {
    std::wstring value;
    fake::setValue(root, keyName, L"v", reg::valueType::dword, "\x78\x56\x34\x12");
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"&h12345678");

    // A zero high byte is the last byte: the terminating-NUL rule drops it.
    fake::setValue(root, keyName, L"v", reg::valueType::dword, std::string("\x2A\0\0\0", 4));
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"&h00002A");
}

TEST_F(GetKeyValue, OpensForReadingOnlySoAKeyWithoutWriteRightsIsRead) {
    fake::setText(root, keyName, L"v", "x");
    fake::makeReadOnly(root, keyName);
    std::wstring value;
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, L"x");
    ASSERT_EQ(fake::openRequests().size(), 1u);
    EXPECT_EQ(fake::openRequests()[0].access, 0x20019u);
}

TEST_F(GetKeyValue, RegistryFunctionsThatCannotBeBoundGiveFalse) {
    fake::setText(root, keyName, L"v", "x");
    std::wstring value;
    fake::makeUnbound("RegQueryValueExA");
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, L"");
    fake::makeUnbound("RegOpenKeyExA");
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, L"");
}

} // namespace
} // namespace snipforge
